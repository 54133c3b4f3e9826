#include "CWindowPlacement.h"

#include "platform/PrivateProfile.h"

using namespace Qt::StringLiterals;

bool CWindowPlacement::Save(const QRect& normal, bool maximised) const
{
    if (m_path.isEmpty()) return false;
    const QList<std::pair<QString, QString>> keys{
        {u"Left"_s, QString::number(normal.left())},
        {u"Top"_s, QString::number(normal.top())},
        {u"Right"_s, QString::number(normal.left() + normal.width())},
        {u"Bottom"_s, QString::number(normal.top() + normal.height())},
        {u"Zoomed"_s, maximised ? u"1"_s : u"0"_s}};
    bool ok = true;
    for (const auto& [key, value] : keys) ok = platform::profile::writeString(m_path, u"Window"_s, key, value) && ok;
    return ok;
}
