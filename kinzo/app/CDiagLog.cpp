#include "CDiagLog.h"

#include "platform/PrivateProfile.h"
#include "platform/TextFile.h"
#include "platform/TextNumber.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdarg>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype maxMessage = 511;

QString formatMessage(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed < 0) return QString();
    std::vector<char> buffer(size_t(needed) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    return QString::fromUtf8(buffer.data(), needed).left(maxMessage);
}

}  // namespace

int CDiagLog::Init(const QString& appName, const QString& prefix, const QString& logFolder,
                   const QString& paramPath, int forceTrace)
{
    m_appName = appName;
    m_prefix = prefix;
    m_logFolder = logFolder;
    m_paramPath = paramPath;
    m_logPath.clear();
    if (!QFileInfo::exists(paramPath)) return 1;
    if (!ReadParameters()) return 0;
    if (forceTrace) m_trace = 1;
    if (!m_all && !m_trace && !m_error && !m_information) return 1;
    if (!QDir().mkpath(logFolder)) return 0;

    const QString path = QDir(logFolder).filePath(FileNameFor(m_clock()));
    QFile file(path);
    const auto mode = m_create ? QIODevice::WriteOnly | QIODevice::Truncate
                               : QIODevice::WriteOnly | QIODevice::Append;
    if (!file.open(mode)) return 0;
    m_logPath = path;
    return 1;
}

bool CDiagLog::ReadParameters()
{
    QString text;
    if (!platform::readTextFile(m_paramPath, text)) return false;
    auto flag = [this](const QString& key, const QString& def) {
        return platform::atoiLike(platform::profile::readString(m_paramPath, u"Flags"_s, key, def));
    };
    m_type = flag(u"Type"_s, u"0"_s);
    m_create = flag(u"Create "_s, u"1"_s);
    m_maxLevel = flag(u"MaxLevel"_s, u"10"_s);
    m_information = flag(u"Information"_s, u"0"_s);
    m_error = flag(u"Error"_s, u"0"_s);
    m_trace = flag(u"Trace "_s, u"0"_s);
    m_all = flag(u"All "_s, u"0"_s);

    m_functions.clear();
    bool inFunctions = false;
    for (QString line : text.split(u'\n')) {
        line = line.trimmed();
        if (line.startsWith(u"//"_s)) continue;
        if (line == u"[Functions]"_s) {
            inFunctions = true;
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inFunctions || eq <= 0) continue;
        const QString name = line.left(eq).trimmed();
        if (!name.isEmpty()) m_functions.insert(name, platform::atoiLike(line.mid(eq + 1)));
    }
    return true;
}

QString CDiagLog::FileNameFor(const QDateTime& opened) const
{
    switch (m_type) {
    case 1: return u"%1_%2.log"_s.arg(m_prefix, opened.toString(u"yyyyMMdd"_s));
    case 2: return u"%1_%2.log"_s.arg(m_prefix, opened.toString(u"yyyyMMdd_HH"_s));
    default: return u"%1.log"_s.arg(m_prefix);
    }
}

bool CDiagLog::IsFunctionEnabled(const QString& function) const
{
    if (m_all) return true;
    if (m_functions.value(function, 0) != 0) return true;
    const qsizetype colons = function.indexOf(u"::"_s);
    return colons >= 0 && m_functions.value(function.left(colons), 0) != 0;
}

void CDiagLog::Error(const char* function, const char* format, ...)
{
    if (!m_error && !m_all) return;
    va_list args;
    va_start(args, format);
    Write("#### ERROR #### [%1] %2", function, format, args);
    va_end(args);
}

void CDiagLog::Trace(const char* function, const char* format, ...)
{
    if ((!m_trace && !m_all) || !IsFunctionEnabled(QString::fromUtf8(function))) return;
    va_list args;
    va_start(args, format);
    Write("     [%1] %2", function, format, args);
    va_end(args);
}

void CDiagLog::Write(const char* lineFormat, const char* function, const char* format, va_list args)
{
    if (m_logPath.isEmpty()) return;
    WriteLine(QString::fromLatin1(lineFormat).arg(QString::fromUtf8(function), formatMessage(format, args)));
}

void CDiagLog::WriteLine(const QString& text)
{
    QFile file(m_logPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) return;
    const QString stamp = m_clock().toString(u"yyyy/MM/dd HH:mm:ss"_s);
    file.write((stamp + u' ' + text + u'\n').toUtf8());
}
