#include "CVendorReader.h"

#include "platform/Cp932Codec.h"
#include "platform/FaultGuard.h"
#include "platform/ProcessList.h"

CVendorReader::CVendorReader(const QString& libraryName, const QString& processName)
    : m_library(libraryName), m_processName(processName)
{
}

int CVendorReader::IsExecuting()
{
    return platform::isProcessRunning(m_processName) ? 1 : 0;
}

bool CVendorReader::LoadLibrary()
{
    return m_library.load();
}

bool CVendorReader::Guarded(const std::function<void()>& call)
{
    if (platform::runGuarded(call)) return true;
    m_enabled = 0;
    OnError(1);
    return false;
}

QByteArray CVendorReader::Ansi(const QString& text)
{
    return platform::cp932::encode(text);   // QByteArray keeps a terminating zero
}
