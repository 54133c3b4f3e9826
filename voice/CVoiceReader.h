#pragma once
// The speech facade every program and every grid speaks through. It talks to
// whichever screen reader runs; when none does, every call is a silent no-op
// and the program works on. The usual call is ReadText(text, 1, 0): cut off
// what is being said and return at once.
// User-interface thread only; calls that wait keep its events flowing, so
// handlers may run inside them.

#include "CScrFactory.h"

#include <QString>

class QObject;

class VOICE_EXPORT CVoiceReader {
public:
    CVoiceReader();
    ~CVoiceReader();
    // One reader owns one adapter and its loaded library: not copied.
    CVoiceReader(const CVoiceReader&) = delete;
    CVoiceReader& operator=(const CVoiceReader&) = delete;

    // Finds the running reader; 1 when one can speak, else 0.
    int Init();
    void Destroy();

    // stop 1 cuts off current speech, 0 waits until the reader is silent;
    // wait 1 returns once the text has been spoken, 0 at once.
    void ReadText(const QString& text, int stop, int wait);
    // As ReadText, then waits at most limitMs (0: not at all) for the end.
    void ReadTextLimit(const QString& text, int stop, unsigned int limitMs);
    // Speaks a control's text (its "text", "currentText", "plainText" or
    // "windowTitle" property, the first it has). Nothing for a null control.
    void ReadControl(const QObject* control, int stop, int wait);
    void StopRead();
    // Waits until the reader is silent; 0 or less waits without limit.
    void WaitRead(int timeoutMs);

    // Turns our speech on or off; returns the previous setting (0 without a reader).
    int SetRead(int on);
    int GetRead();
    // As SetRead under PC-Talker, whose own reading of input methods and tree
    // lists must be held back; other readers change nothing and answer GetRead.
    int SetReadIME(int on);
    int SetReadTreeList(int on);

    int GetReaderID();
    QString GetScReaderName();
    int IsPCTalker();
    int IsFocusTalk();
    int IsXPReader();

    // The current adapter, or null (for tests and reader-specific waits).
    CScrReader* Reader() const { return m_reader; }

private:
    CScrFactory m_factory;
    CScrReader* m_reader = nullptr;
};
