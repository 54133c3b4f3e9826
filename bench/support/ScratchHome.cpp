#include "ScratchHome.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace bench {

QString UseScratchHome(const QTemporaryDir& home)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("HOME", home.path().toUtf8());
    const QString runtime = home.filePath(QStringLiteral("runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    const QString transcript = home.filePath(QStringLiteral("heard.txt"));
    qputenv("VOICE_TRANSCRIPT", transcript.toUtf8());
    return transcript;
}

}  // namespace bench
