#pragma once
// What the adapters of the Windows screen readers share: the reader's client
// library, loaded at run time and bound by entry-point name; the test whether
// the reader's program runs; and the guard around every call into the library.

#include "CScrReader.h"

#include "platform/ClientLibrary.h"

#include <QByteArray>
#include <functional>

#if defined(Q_OS_WIN) && defined(Q_PROCESSOR_X86_32)
#define VOICE_VENDOR_CALL __stdcall
#else
#define VOICE_VENDOR_CALL
#endif

class VOICE_EXPORT CVendorReader : public CScrReader {
public:
    int IsExecuting() override;

protected:
    CVendorReader(const QString& libraryName, const QString& processName);

    bool LoadLibrary();
    template <class Function>
    Function Bind(const char* name) const
    {
        return m_library.bind<Function>(name);
    }

    // Runs a call into the library. After a fault the adapter is disabled for
    // good, OnError has been called, and false is returned.
    bool Guarded(const std::function<void()>& call);

    // The text as the readers' ANSI entry points take it: CP932, zero-terminated.
    static QByteArray Ansi(const QString& text);

private:
    platform::ClientLibrary m_library;
    QString m_processName;
};
