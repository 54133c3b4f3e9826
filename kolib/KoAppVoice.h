#pragma once
// The program's own speech facade, published once start-up has made it, so
// that any window can speak without reaching the application object.

#include <QString>

class CVoiceReader;

// The published facade, or null before start-up made it (or in a test that
// made none): callers check before speaking.
CVoiceReader* KoAppVoice();
void KoSetAppVoice(CVoiceReader* voice);

// ReadText on the published facade; nothing when there is none.
void KoAppReadText(const QString& text, int stop = 1, int wait = 0);
// KoAppReadText for an arrival (a window opening, the focus reaching a
// standard control): nothing while a screen reader that reads the tree says
// it itself (voice/TreeReader.h).
void KoAppReadArrival(const QString& text, int stop = 1, int wait = 0);
// StopRead on the published facade; nothing when there is none.
void KoAppStopRead();
