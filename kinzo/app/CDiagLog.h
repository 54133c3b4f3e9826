#pragma once
// The diagnostic log of the cash book. It is off unless its parameter file
// exists; a support person switches it on by placing that file in the user
// folder, and can limit tracing to named functions or classes:
//
//   [Flags]
//   Type=0          0 one file, 1 one file per day, 2 one file per hour
//   Create =1       1 a new run replaces the file, 0 appends (key ends in a blank)
//   MaxLevel=10
//   Information=0
//   Error=1
//   Trace =1        (key ends in a blank)
//   All =0          1 writes everything and traces every function (key ends in a blank)
//   // comment
//   [Functions]
//   CHolidayFile=1              every method of the class
//   CKinzoApp::InitialSetup=1   one method
//
// Each line is "yyyy/MM/dd hh:mm:ss <text>" in UTF-8. A failing write drops
// the line; the program never stops for the log. User-interface thread only.

#include <QDateTime>
#include <QMap>
#include <QString>

#include <cstdarg>
#include <functional>

#if defined(__GNUC__)
#define KINZO_PRINTF_FORMAT(f, a) __attribute__((format(printf, f, a)))
#else
#define KINZO_PRINTF_FORMAT(f, a)
#endif

class CDiagLog {
public:
    // Returns 1 on success, also when logging stays off; 0 when the parameter
    // file cannot be read or the log folder or file cannot be made (the log
    // then writes nothing).
    int Init(const QString& appName, const QString& prefix, const QString& logFolder,
             const QString& paramPath, int forceTrace);

    // printf-style; the formatted message is cut to 511 characters.
    void Error(const char* function, const char* format, ...) KINZO_PRINTF_FORMAT(3, 4);
    void Trace(const char* function, const char* format, ...) KINZO_PRINTF_FORMAT(3, 4);

    // Whether trace lines of the function ("Class::Method") are written.
    bool IsFunctionEnabled(const QString& function) const;

    // The file lines go to; empty while the log is off.
    QString LogFilePath() const { return m_logPath; }

    // The clock that names files and stamps lines (tests set their own).
    void SetClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    QString m_appName;
    QString m_prefix;
    QString m_logFolder;
    QString m_paramPath;
    QString m_logPath;
    int m_type = 0;
    int m_create = 1;
    int m_maxLevel = 10;
    int m_information = 0;
    int m_error = 0;
    int m_trace = 0;
    int m_all = 0;
    QMap<QString, int> m_functions;

private:
    bool ReadParameters();
    QString FileNameFor(const QDateTime& opened) const;
    void WriteLine(const QString& text);
    void Write(const char* lineFormat, const char* function, const char* format, va_list args);

    std::function<QDateTime()> m_clock = [] { return QDateTime::currentDateTime(); };
};
