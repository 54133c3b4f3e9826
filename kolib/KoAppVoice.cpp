#include "KoAppVoice.h"

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
