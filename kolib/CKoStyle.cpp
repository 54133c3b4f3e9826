#include "CKoStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>

namespace {

// The size of arrows and check boxes for a widget's font.
int markSize(const QWidget* widget, const QStyleOption* option, int least)
{
    const int height = widget ? widget->fontMetrics().height() : option ? option->fontMetrics.height() : least;
    return std::max(least, height);
}

QColor ink(const QStyleOption* option)
{
    return option->palette.color(QPalette::Text);
}

void drawFrame(QPainter* painter, const QRect& rect, const QColor& color, bool thick)
{
    const int width = thick ? 2 : 1;
    painter->save();
    painter->setPen(Qt::NoPen);
    painter->setBrush(color);
    const QRect r = rect;
    painter->drawRect(QRect(r.left(), r.top(), r.width(), width));
    painter->drawRect(QRect(r.left(), r.bottom() - width + 1, r.width(), width));
    painter->drawRect(QRect(r.left(), r.top(), width, r.height()));
    painter->drawRect(QRect(r.right() - width + 1, r.top(), width, r.height()));
    painter->restore();
}

// A filled triangle pointing up or down, centred in the rectangle.
void drawArrow(QPainter* painter, const QRect& rect, bool up, const QColor& color)
{
    const int side = std::max(4, std::min(rect.width(), rect.height()) * 3 / 5);
    const QPointF centre = QRectF(rect).center();
    const double half = side / 2.0;
    const double rise = side / 3.0;
    QPainterPath path;
    if (up) {
        path.moveTo(centre.x() - half, centre.y() + rise);
        path.lineTo(centre.x() + half, centre.y() + rise);
        path.lineTo(centre.x(), centre.y() - rise);
    } else {
        path.moveTo(centre.x() - half, centre.y() - rise);
        path.lineTo(centre.x() + half, centre.y() - rise);
        path.lineTo(centre.x(), centre.y() + rise);
    }
    path.closeSubpath();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(color);
    painter->drawPath(path);
    painter->restore();
}

void drawCheck(QPainter* painter, const QStyleOption* option)
{
    const QRect box = option->rect.adjusted(0, 0, -1, -1);
    const QColor color = ink(option);
    painter->save();
    painter->fillRect(box, option->palette.color(QPalette::Base));
    const int line = std::max(1, box.width() / 10);
    drawFrame(painter, box.adjusted(0, 0, 1, 1), color, line > 1);
    if (option->state & QStyle::State_On) {
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(color, std::max(2.0, box.width() / 7.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QRectF r = QRectF(box).adjusted(box.width() * 0.2, box.height() * 0.2, -box.width() * 0.2,
                                              -box.height() * 0.2);
        const QPointF points[] = {{r.left(), r.center().y()},
                                  {r.left() + r.width() * 0.4, r.bottom()},
                                  {r.right(), r.top()}};
        painter->drawPolyline(points, 3);
    } else if (option->state & QStyle::State_NoChange) {
        painter->fillRect(box.adjusted(box.width() / 4, box.height() / 4, -box.width() / 4, -box.height() / 4),
                          color);
    }
    painter->restore();
}

}  // namespace

CKoStyle::CKoStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

int CKoStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    const int base = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        return std::max(base, markSize(widget, option, base) * 4 / 5);
    case PM_ScrollBarExtent:
        return std::max(base, markSize(widget, option, base));
    default:
        return base;
    }
}

QRect CKoStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                               const QWidget* widget) const
{
    const QRect frame = option->rect;
    const int button = markSize(widget, option, 16);
    if (control == CC_ComboBox) {
        switch (sub) {
        case SC_ComboBoxFrame: return frame;
        case SC_ComboBoxArrow:
            return visualRect(option->direction, frame,
                              QRect(frame.right() - button - 1, frame.top() + 2, button, frame.height() - 4));
        case SC_ComboBoxEditField:
            return visualRect(option->direction, frame, frame.adjusted(4, 3, -(button + 4), -3));
        default: break;
        }
    }
    if (control == CC_SpinBox) {
        const int half = frame.height() / 2;
        switch (sub) {
        case SC_SpinBoxFrame: return frame;
        case SC_SpinBoxUp:
            return visualRect(option->direction, frame,
                              QRect(frame.right() - button - 1, frame.top() + 2, button, half - 2));
        case SC_SpinBoxDown:
            return visualRect(option->direction, frame,
                              QRect(frame.right() - button - 1, frame.top() + half, button, frame.height() - half - 2));
        case SC_SpinBoxEditField:
            return visualRect(option->direction, frame, frame.adjusted(3, 3, -(button + 4), -3));
        default: break;
        }
    }
    return QProxyStyle::subControlRect(control, option, sub, widget);
}

QSize CKoStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                 const QWidget* widget) const
{
    QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_ComboBox || type == CT_SpinBox) {
        // Room for the wider arrows and the frame, and a height that fits the text.
        result.rwidth() = std::max(result.width(), size.width() + markSize(widget, option, 16) + 10);
        result.rheight() = std::max(result.height(), size.height() + 6);
    }
    if (type == CT_MenuItem) {
        // The check and radio marks grow with the font and push the text to the
        // right: the item grows by as much, so large text is never cut.
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (item && item->menuHasCheckableItems) {
            const int base = QProxyStyle::pixelMetric(PM_IndicatorWidth, option, widget);
            result.rwidth() += std::max(0, markSize(widget, option, base) - base) * 2;
        }
        // Fusion measures the mark column at its smallest but draws it about
        // four fifths of the row's height wide, and the menu measures Japanese
        // text a little short; Fusion then shortens the widest text to fit
        // ("文字色・背景色…(I)..." at 22 pt). The item grows by a row's height.
        if (item && item->menuItemType != QStyleOptionMenuItem::Separator) result.rwidth() += result.height();
    }
    return result;
}

void CKoStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const
{
    switch (element) {
    case PE_PanelLineEdit:
        if (widget && widget->parentWidget()
            && (qobject_cast<const QAbstractSpinBox*>(widget->parentWidget())
                || widget->parentWidget()->inherits("QComboBox")))
            return;   // the edit part of a composite control: its owner draws the frame
        painter->fillRect(option->rect, option->palette.color(QPalette::Base));
        if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option); frame && frame->lineWidth > 0)
            drawFrame(painter, option->rect, ink(option), option->state & State_HasFocus);
        return;
    case PE_FrameLineEdit:
        drawFrame(painter, option->rect, ink(option), option->state & State_HasFocus);
        return;
    case PE_Frame:
        drawFrame(painter, option->rect, option->palette.color(QPalette::WindowText), option->state & State_HasFocus);
        return;
    case PE_FrameGroupBox: {
        // Below the title, as the base style places it.
        const int title = option->fontMetrics.height() + 3;
        drawFrame(painter, option->rect.adjusted(0, title, 0, 0), option->palette.color(QPalette::WindowText), false);
        return;
    }
    case PE_IndicatorCheckBox:
    case PE_IndicatorItemViewItemCheck:
        drawCheck(painter, option);
        return;
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void CKoStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                  const QWidget* widget) const
{
    if (control != CC_ComboBox && control != CC_SpinBox) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QColor color = ink(option);
    painter->fillRect(option->rect, option->palette.color(QPalette::Base));
    drawFrame(painter, option->rect, color, option->state & State_HasFocus);
    if (control == CC_ComboBox) {
        drawArrow(painter, subControlRect(control, option, SC_ComboBoxArrow, widget), false, color);
        return;
    }
    const auto* spin = qstyleoption_cast<const QStyleOptionSpinBox*>(option);
    if (!spin || spin->buttonSymbols == QAbstractSpinBox::NoButtons) return;
    const QColor off = option->palette.color(QPalette::Disabled, QPalette::Text);
    drawArrow(painter, subControlRect(control, option, SC_SpinBoxUp, widget), true,
              spin->stepEnabled & QAbstractSpinBox::StepUpEnabled ? color : off);
    drawArrow(painter, subControlRect(control, option, SC_SpinBoxDown, widget), false,
              spin->stepEnabled & QAbstractSpinBox::StepDownEnabled ? color : off);
}

void KoEnsureStyle()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    if (qobject_cast<CKoStyle*>(QApplication::style())) return;
    QApplication::setStyle(new CKoStyle);
}
