#pragma once
// The document's host for tests: records every message and every DBFileName
// written, and takes the templates from the program folder the build wrote
// (or any other folder a test sets).

#include "kinzo/data/CKinzoDocHost.h"

#include <QStringList>

class RecordingHost : public CKinzoDocHost {
public:
    QStringList notices;
    QStringList dbFileNames;
    QStringList logLines;
    QString programFolder = QStringLiteral(KINZO_TEMPLATE_DIR);
    bool mainWindowReady = true;

    void Notice(const QString& text) override { notices.append(text); }
    void Log(const QString& text) override { logLines.append(text); }
    QString ProgramFolder() const override { return programFolder; }
    void WriteDBFileName(const QString& path) override { dbFileNames.append(path); }
    bool MainWindowReady() const override { return mainWindowReady; }

    // The messages so far, forgotten.
    QStringList Take()
    {
        QStringList taken = notices;
        notices.clear();
        return taken;
    }
};
