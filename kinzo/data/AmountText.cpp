#include "kinzo/data/AmountText.h"

#include <QString>

QString FormatAmount(qint64 amount)
{
    // The magnitude of the most negative value does not fit a qint64.
    const quint64 magnitude = amount < 0 ? quint64(0) - quint64(amount) : quint64(amount);
    const QString digits = QString::number(magnitude);
    QString text;
    text.reserve(digits.size() + digits.size() / 3 + 1);
    if (amount < 0) text += u'-';
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += u',';
        text += digits[i];
    }
    return text;
}

qint64 ParseAmount(QStringView text, bool* ok)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        if (ok) *ok = true;
        return 0;
    }
    QString digits = trimmed.toString();
    digits.remove(u',');
    bool parsed = false;
    const qint64 value = digits.toLongLong(&parsed);
    if (ok) *ok = parsed;
    return parsed ? value : 0;
}
