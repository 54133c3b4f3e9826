#include "CKoCommandLineInfo.h"

void CKoCommandLineInfo::ParseCommandLine(const QStringList& arguments)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        const bool isFlag = arg.size() > 1 && (arg.front() == u'/' || arg.front() == u'-')
                            && !arg.mid(1).contains(u'/');
        ParseParam(isFlag ? arg.mid(1) : arg, isFlag, i + 1 == arguments.size());
    }
}

void CKoCommandLineInfo::ParseParam(const QString& param, bool isFlag, bool isLast)
{
    ++m_paramCount;
    if (isFlag) {
        m_lastFlag = param;
        return;
    }
    if (m_lastFlag.compare(QStringLiteral("A"), Qt::CaseInsensitive) == 0) {
        m_password = param;
        m_lastFlag.clear();   // only the parameter right after the flag
        return;
    }
    m_plain << param;
}
