#include "CWindowPlacement.h"

#include "kolib/KoKeyboardKeeper.h"
#include "platform/PrivateProfile.h"

#include <QScreen>
#include <QWidget>

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

QRect CWindowPlacement::NormalGeometry(const QWidget& window) const
{
    const QRect available = window.screen()->availableGeometry();
    if (m_path.isEmpty()) return available;
    const auto read = [this](const QString& key, bool& ok) {
        return platform::profile::readString(m_path, u"Window"_s, key).toInt(&ok);
    };
    bool okLeft = false, okTop = false, okRight = false, okBottom = false;
    const QRect stored(QPoint(read(u"Left"_s, okLeft), read(u"Top"_s, okTop)),
                       QPoint(read(u"Right"_s, okRight) - 1, read(u"Bottom"_s, okBottom) - 1));
    const bool usable = okLeft && okTop && okRight && okBottom && stored.width() >= window.minimumWidth()
                        && stored.height() >= window.minimumHeight() && available.contains(stored.center());
    return usable ? stored : available;
}

void CWindowPlacement::ShowMaximised(QWidget& window) const
{
    KoShowMaximised(window, NormalGeometry(window));
}
