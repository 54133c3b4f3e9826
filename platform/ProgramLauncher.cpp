#include "ProgramLauncher.h"

#include <QFileInfo>
#include <QProcess>

namespace platform {

bool startProgram(const QString& program, const QStringList& arguments,
                  const QString& workingFolder)
{
    const QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable()) return false;
    QProcess process;
    process.setProgram(info.absoluteFilePath());
    process.setArguments(arguments);
    process.setWorkingDirectory(workingFolder.isEmpty() ? info.absolutePath() : workingFolder);
    return process.startDetached();
}

}  // namespace platform
