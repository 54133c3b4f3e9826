#include "CSanboEngine.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

QString OperatorSymbol(int op)
{
    switch (op) {
    case CSanboEngine::Plus: return u"＋"_s;
    case CSanboEngine::Minus: return u"－"_s;
    case CSanboEngine::Times: return u"×"_s;
    case CSanboEngine::Divide: return u"÷"_s;
    default: return u"＝"_s;
    }
}

QString OperatorName(int op)
{
    switch (op) {
    case CSanboEngine::Plus: return u"プラス"_s;
    case CSanboEngine::Minus: return u"マイナス"_s;
    case CSanboEngine::Times: return u"かける"_s;
    default: return u"わる"_s;
    }
}

SanboFeedback Say(const QString& text)
{
    return SanboFeedback{text, false};
}

}  // namespace

QString CSanboEngine::Format(double value)
{
    return QString::asprintf("%15.14G", value).trimmed();
}

double CSanboEngine::Atof(const QString& text)
{
    static const QRegularExpression number(
        uR"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)"_s);
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch()) return 0.0;
    return match.captured(0).trimmed().toDouble();
}

bool CSanboEngine::ParsePastedNumber(const QString& text, double& value)
{
    QString plain;
    for (const QChar c : text.trimmed()) {
        const char16_t u = c.unicode();
        if (u >= u'０' && u <= u'９') plain += QChar(u'0' + (u - u'０'));
        else if (u == u'．') plain += u'.';
        else if (u == u'，') plain += u',';
        else if (u == u'＋') plain += u'+';
        else if (u == u'－' || u == u'−') plain += u'-';
        else plain += c;
    }
    static const QRegularExpression number(
        uR"(^[+-]?(\d{1,3}(,\d{3})+|\d+)?(\.\d*)?$)"_s);
    if (!number.match(plain).hasMatch() || !plain.contains(QRegularExpression(u"\\d"_s))) return false;
    plain.remove(u',');
    bool ok = false;
    value = plain.toDouble(&ok);
    return ok;
}

double CSanboEngine::Compute(double a, double b) const
{
    switch (m_pending) {
    case Plus: return a + b;
    case Minus: return a - b;
    case Times: return a * b;
    case Divide: return a / b;
    case Equals: return b;
    default: return a;
    }
}

double CSanboEngine::RunningValue() const
{
    if (m_pending == None) return Atof(m_entry);
    if (m_pending != Equals && !m_operandGiven) return m_accumulator;
    return Compute(m_accumulator, Atof(m_entry));
}

SanboFeedback CSanboEngine::Digit(QChar c)
{
    if (m_freshEntry) {
        m_entry.clear();
        m_freshEntry = false;
    }
    if ((c == u'.' && m_entry.contains(u'.')) || m_entry.size() >= MaxEntryLength)
        return SanboFeedback{QString(), true};
    m_entry += c;
    m_operandGiven = true;
    m_display = Format(Atof(m_entry));
    return Say(c == u'.' ? u"ドット"_s : QString(c));
}

SanboFeedback CSanboEngine::TwoOperand(Operator op)
{
    m_operatorIndicator = OperatorSymbol(op);
    m_accumulator = RunningValue();
    m_pending = op;
    m_freshEntry = true;
    m_operandGiven = false;
    m_display = Format(Atof(m_entry));
    return Say(OperatorName(op));
}

SanboFeedback CSanboEngine::Equal()
{
    if (m_operatorIndicator == u"÷" && Atof(m_display) == 0.0) {
        m_operatorIndicator = OperatorSymbol(Equals);
        m_display = u"∞"_s;
        return Say(m_display);
    }
    m_operatorIndicator = OperatorSymbol(Equals);
    m_accumulator = RunningValue();
    m_entry = Format(m_accumulator);
    m_pending = Equals;
    m_freshEntry = true;
    m_operandGiven = true;
    m_display = Format(Atof(m_entry));
    return Say(m_display);
}

SanboFeedback CSanboEngine::ChangeSign()
{
    m_operatorIndicator.clear();
    if (!m_entry.isEmpty()) {
        m_entry = Format(-Atof(m_entry));
        m_operandGiven = true;
    }
    m_freshEntry = true;
    const QString shown = Format(Atof(m_entry));
    if (!shown.isEmpty() && shown != u"0") m_display = shown;
    return Say(u"符号反転"_s);
}

SanboFeedback CSanboEngine::TaxIncluded()
{
    const double result = (m_taxRate + 100) * Atof(m_display) / 100;
    m_display = Format(result);
    m_entry = m_display;
    m_operandGiven = true;
    m_freshEntry = true;
    return Say(u"税込"_s);
}

SanboFeedback CSanboEngine::Backspace()
{
    m_entry.chop(1);
    m_display = m_entry;
    return Say(u"バックスペース"_s);
}

SanboFeedback CSanboEngine::ClearEntry()
{
    m_entry.clear();
    m_display.clear();
    m_operandGiven = true;
    return Say(u"クリアエントリ"_s);
}

SanboFeedback CSanboEngine::AllClear()
{
    m_entry.clear();
    m_operatorIndicator.clear();
    m_display.clear();
    m_accumulator = 0.0;
    m_pending = None;
    m_operandGiven = true;
    return Say(u"オールクリア"_s);
}

SanboFeedback CSanboEngine::MemoryStore()
{
    m_memory = Atof(m_display);
    m_memoryIndicator = u"M"_s;
    m_freshEntry = true;
    return Say(u"メモリ保存"_s);
}

SanboFeedback CSanboEngine::MemoryPlus()
{
    m_memory += Atof(m_display);
    m_memoryIndicator = u"M"_s;
    m_freshEntry = true;
    return Say(u"メモリプラス"_s);
}

SanboFeedback CSanboEngine::MemoryRecall()
{
    m_entry = Format(m_memory);
    m_display = m_entry;
    m_operandGiven = true;
    m_freshEntry = true;
    return Say(u"メモリ呼出"_s);
}

SanboFeedback CSanboEngine::MemoryClear()
{
    m_memory = 0.0;
    m_memoryIndicator.clear();
    return Say(u"メモリクリア"_s);
}

SanboFeedback CSanboEngine::Paste(const QString& text)
{
    double value = 0.0;
    if (!ParsePastedNumber(text, value)) return SanboFeedback{QString(), true};
    m_entry = Format(value);
    m_display = m_entry;
    m_operandGiven = true;
    return {};
}
