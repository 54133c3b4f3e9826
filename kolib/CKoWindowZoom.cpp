#include "CKoWindowZoom.h"

#include "KoAppSettings.h"

#include <QLayout>
#include <QScreen>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

bool laidOutBy(const QLayout* layout, const QWidget* widget)
{
    if (!layout) return false;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == widget) return true;
        if (laidOutBy(item->layout(), widget)) return true;
    }
    return false;
}

QRect scaled(const QRect& rect, double factor)
{
    return QRect(qRound(rect.x() * factor), qRound(rect.y() * factor),
                 qRound(rect.width() * factor), qRound(rect.height() * factor));
}

}  // namespace

CKoWindowZoom::CKoWindowZoom(QWidget* window) : m_window(window), m_font(ZoomFont(1.0))
{
}

QFont CKoWindowZoom::ZoomFont(double factor)
{
    QFont font;
    // The Windows face first; the IPA faces are the Japanese fonts shipped with the programs here.
    font.setFamilies({u"MS UI Gothic"_s, u"IPAPGothic"_s, u"IPAGothic"_s, u"Noto Sans CJK JP"_s});
    font.setPointSize(std::max(1, int(std::lround(9 * factor))));
    return font;
}

void CKoWindowZoom::Capture()
{
    m_window->setFont(ZoomFont(1.0));
    if (QLayout* layout = m_window->layout()) layout->activate();
    m_windowSize = m_window->testAttribute(Qt::WA_Resized) ? m_window->size() : m_window->sizeHint();
    m_children.clear();
    for (QWidget* child : m_window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() || laidOutBy(m_window->layout(), child)) continue;
        m_children.push_back({child, child->geometry()});
    }
    m_captured = true;
}

void CKoWindowZoom::Apply(double factor)
{
    if (!m_window || !KoAppZoomEnabled() || factor <= 0) return;
    if (!m_captured) Capture();
    m_factor = factor;
    m_font = ZoomFont(factor);
    m_window->setFont(m_font);
    for (const ChildRect& child : m_children)
        if (child.widget) child.widget->setGeometry(scaled(child.rect, factor));
    if (QLayout* layout = m_window->layout()) layout->activate();
    if (m_window->isWindow() && m_windowSize.isValid()) {
        QSize wanted(qRound(m_windowSize.width() * factor), qRound(m_windowSize.height() * factor));
        wanted = wanted.expandedTo(m_window->minimumSizeHint());
        // A large font must not push the window's buttons off the screen. The
        // frame is unknown before the window manager has shown the window:
        // room for a title bar is kept then.
        if (const QScreen* screen = m_window->screen()) {
            QSize frame = m_window->frameGeometry().size() - m_window->size();
            if (frame.isEmpty()) frame = QSize(8, 32);
            wanted = wanted.boundedTo(screen->availableGeometry().size() - frame);
        }
        m_window->resize(wanted);
    }
    m_window->update();
}
