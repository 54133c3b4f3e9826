#pragma once
// Finds the screen reader that runs and makes its adapter. Detection order:
// the transcript file when VOICE_TRANSCRIPT is set, then XP Reader, PC-Talker
// (its library tells the version), FocusTalk, and last speech-dispatcher (its
// service or Orca running). Detection runs once; the factory owns the adapter.

#include "CScrReader.h"

#include <memory>

class VOICE_EXPORT CScrFactory {
public:
    CScrFactory();
    ~CScrFactory();
    CScrFactory(const CScrFactory&) = delete;
    CScrFactory& operator=(const CScrFactory&) = delete;

    // The adapter of the detected reader, enabled; null when none runs or its
    // library cannot be used (the detected id is kept).
    CScrReader* CreateScReader();
    // The id of the reader that runs (detected on the first call that has no id yet).
    int GetScReaderId();
    QString GetScReaderName();
    // Deletes the adapter and forgets the id.
    void Destroy();

private:
    static int DetectReaderId();
    static std::unique_ptr<CScrReader> MakeReader(int readerId);

    std::unique_ptr<CScrReader> m_reader;
    int m_readerId = ReaderNone;
};
