// Drawing of the text cells, kept apart from the cell model.
#include "CXCell.h"

#include <QPainter>

using namespace Qt::StringLiterals;

void CXCellBase::DrawPlain(QPainter& painter, const QRect& rect, const QString& text) const
{
    if (text.isEmpty()) return;
    painter.drawText(rect.adjusted(1, 1, -1, -1), GetFormat(), text);
}

void CXCellBase::DrawText(QPainter& painter, const QRect& rect, const CXDrawContext&) const
{
    painter.drawText(rect.adjusted(1, 1, -1, -1), Qt::AlignLeft | Qt::AlignTop, u"BASE"_s);
}

void CXCellBase::Draw(QPainter& painter, const QRect& rect, const CXDrawContext& context) const
{
    CXCellBase::DrawText(painter, rect, context);
}

void CXCellDefault::DrawText(QPainter& painter, const QRect& rect, const CXDrawContext& context) const
{
    if (const CXCellBase* inner = GetInnerCell()) {
        inner->Draw(painter, rect, context);
        return;
    }
    const QString text = GetText();
    if (text.isEmpty()) return;
    const QRect inside = rect.adjusted(context.marginX, context.marginY, -context.marginX, -context.marginY);
    const int format = GetFormat();
    if (format & Qt::TextSingleLine) {
        painter.drawText(inside, format, text);
        return;
    }
    // Wrapped text is measured first so that it is centred vertically too.
    const QRect measured = painter.boundingRect(inside, format & ~Qt::AlignVertical_Mask, text);
    const int shift = (inside.height() - measured.height()) / 2;
    painter.drawText(inside.adjusted(0, shift, 0, shift), format & ~Qt::AlignVertical_Mask, text);
}

void CXCellDefault::Draw(QPainter& painter, const QRect& rect, const CXDrawContext& context) const
{
    DrawText(painter, rect, context);
}
