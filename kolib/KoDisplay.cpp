#include "KoDisplay.h"

bool KoHasDisplay()
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return true;
#else
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#endif
}

QString KoNoDisplayAdvice(const QString& programPath)
{
    return QStringLiteral("No display was found, so the window cannot be shown.\n"
                          "Start the program from a desktop session, or under a virtual display:\n"
                          "  xvfb-run -a %1\n").arg(programPath);
}
