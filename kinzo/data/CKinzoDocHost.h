#pragma once
// What the document needs from the application around it. The application
// implements it with its message box, settings file and main window; tests
// implement it to record every message. The document only calls it from the
// thread it lives on.

#include <QString>

class CKinzoDocHost {
public:
    virtual ~CKinzoDocHost() = default;

    // Shows an OK-only message with exactly this text and returns when the
    // user has dismissed it.
    virtual void Notice(const QString& text) = 0;

    // Writes a line to the diagnostic log (for the engine's own texts, which
    // the user's messages leave out).
    virtual void Log(const QString& text) = 0;

    // The folder of the program, where "_kinzoTemplate.kzd" and
    // "_kinzoTemplate_payment.kzd" lie.
    virtual QString ProgramFolder() const = 0;

    // Remembers the data file to open at the next start (the setting
    // DBFileName).
    virtual void WriteDBFileName(const QString& path) = 0;

    // True once the main window has been created and can take commands.
    virtual bool MainWindowReady() const = 0;
};
