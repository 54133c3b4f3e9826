#pragma once
// The command line of a program, parameter by parameter. A parameter that
// starts with "/" or "-" and holds no further "/" is a flag ("/A", "-A"); any
// other one is plain (a file path such as "/home/u/家計.kzd" stays plain).
// The plain parameter right after the flag "A" is the password.

#include <QString>
#include <QStringList>

class CKoCommandLineInfo {
public:
    virtual ~CKoCommandLineInfo() = default;

    // Feeds every argument after the program name to ParseParam.
    void ParseCommandLine(const QStringList& arguments);
    // Called once per parameter; a flag arrives without its "/" or "-".
    virtual void ParseParam(const QString& param, bool isFlag, bool isLast);

    // The plain parameters that were not taken as the password, in order.
    QStringList PlainParameters() const { return m_plain; }

    int m_paramCount = 0;
    QString m_lastFlag;
    QString m_password;

private:
    QStringList m_plain;
};
