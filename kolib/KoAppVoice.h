#pragma once
// The program's own speech facade, published once start-up has made it, so
// that any window can speak without reaching the application object.

class CVoiceReader;

// The published facade, or null before start-up made it (or in a test that
// made none): callers check before speaking.
CVoiceReader* KoAppVoice();
void KoSetAppVoice(CVoiceReader* voice);
