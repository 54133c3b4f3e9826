#include "KoAppVoice.h"

#include "voice/CVoiceReader.h"
#include "voice/TreeReader.h"

namespace {

CVoiceReader* appVoice = nullptr;

}  // namespace

CVoiceReader* KoAppVoice()
{
    return appVoice;
}

void KoSetAppVoice(CVoiceReader* voice)
{
    appVoice = voice;
}

void KoAppReadText(const QString& text, int stop, int wait)
{
    if (appVoice) appVoice->ReadText(text, stop, wait);
}

void KoAppReadArrival(const QString& text, int stop, int wait)
{
    if (!TreeReaderSpeaksArrivals()) KoAppReadText(text, stop, wait);
}

void KoAppStopRead()
{
    if (appVoice) appVoice->StopRead();
}
