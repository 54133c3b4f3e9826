#include "kinzo/data/ValueMap.h"

#include <algorithm>

namespace {

// A present empty text must not read as NULL.
QString present(QString value)
{
    if (value.isNull()) return QStringLiteral("");
    return value;
}

}  // namespace

qsizetype ValueMap::indexOf(const QString& name) const
{
    for (qsizetype i = 0; i < m_names.size(); ++i)
        if (!m_values[i].isNull() && m_names[i] == name) return i;
    return -1;
}

QString ValueMap::value(const QString& name) const
{
    const qsizetype i = indexOf(name);
    return i < 0 ? QString() : m_values[i];
}

void ValueMap::insert(const QString& name, const QString& value)
{
    const qsizetype i = m_names.indexOf(name);
    if (i >= 0) {
        m_values[i] = present(value);
        return;
    }
    m_names.append(name);
    m_values.append(present(value));
}

QStringList ValueMap::keys() const
{
    QStringList names;
    for (qsizetype i = 0; i < m_names.size(); ++i)
        if (!m_values[i].isNull()) names.append(m_names[i]);
    return names;
}

qsizetype ValueMap::size() const
{
    return std::count_if(m_values.cbegin(), m_values.cend(), [](const QString& v) { return !v.isNull(); });
}

void ValueMap::clear()
{
    m_names.clear();
    m_values.clear();
}

bool ValueMap::operator==(const ValueMap& other) const
{
    if (size() != other.size()) return false;
    for (qsizetype i = 0; i < m_names.size(); ++i)
        if (!m_values[i].isNull() && (!other.contains(m_names[i]) || other.value(m_names[i]) != m_values[i]))
            return false;
    return true;
}

void ValueMap::Reset(const QStringList& names)
{
    m_names = names;
    m_values = QList<QString>(names.size());
}

void ValueMap::Set(qsizetype index, QString value)
{
    m_values[index] = present(std::move(value));
}
