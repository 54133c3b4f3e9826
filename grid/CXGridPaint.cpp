// The grid on screen: an off-screen picture redrawn only when dirty, each
// merged area drawn once over its whole extent, fixed cells in the fixed
// colours, group marks on header groups, and the cursor in reverse video
// with a heavy frame so that a low-vision user finds it at once.
#include "CXGrid.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>
#include <unordered_set>

namespace {

QColor Colour(XColor value)
{
    return QColor::fromRgba(value);
}

int Scaled(double units, double zoom)
{
    return std::max(1, int(std::lround(units * zoom)));
}

// The lines of one axis drawn in the viewport: the shown fixed lines, and the
// data lines from the scroll position to the viewport's far edge.
void ShownLines(const CXAxisLayout& axis, int scroll, int extent, std::vector<int>& fixed, std::vector<int>& data)
{
    for (int i = 0; i < axis.FixedCount(); ++i)
        if (axis.IsShown(i)) fixed.push_back(i);
    const auto& shown = axis.VisibleData();
    for (size_t k = size_t(std::max(0, scroll)); k < shown.size(); ++k) {
        if (axis.Position(shown[k], scroll) >= extent) break;
        data.push_back(shown[k]);
    }
}

}  // namespace

void CXGrid::paintEvent(QPaintEvent*)
{
    const QSize size = viewport()->size();
    const qreal ratio = devicePixelRatioF();
    if (m_dirty || m_picture.size() != size * ratio) {
        m_picture = QPixmap(size * ratio);
        m_picture.setDevicePixelRatio(ratio);
        QPainter picture(&m_picture);
        PaintGrid(picture, size);
        m_dirty = false;
    }
    QPainter painter(viewport());
    painter.drawPixmap(0, 0, m_picture);
}

void CXGrid::PaintGrid(QPainter& painter, const QSize& size)
{
    painter.fillRect(QRect(QPoint(0, 0), size), Colour(cxgrid::ButtonFaceColor));
    painter.setFont(m_font);
    const CXAxisLayout& rows = RowLayout();
    const CXAxisLayout& cols = ColumnLayout();
    std::vector<int> fixedRows, dataRows, fixedCols, dataCols;
    ShownLines(rows, GetScrollRow(), size.height(), fixedRows, dataRows);
    ShownLines(cols, GetScrollColumn(), size.width(), fixedCols, dataCols);
    const int fixedW = cols.FixedSize();
    const int fixedH = rows.FixedSize();

    struct Region {
        QRect clip;
        const std::vector<int>& rows;
        const std::vector<int>& cols;
        bool fixed;
        bool corner;
    };
    const Region regions[] = {
        {QRect(fixedW, fixedH, size.width() - fixedW, size.height() - fixedH), dataRows, dataCols, false, false},
        {QRect(fixedW, 0, size.width() - fixedW, fixedH), fixedRows, dataCols, true, false},
        {QRect(0, fixedH, fixedW, size.height() - fixedH), dataRows, fixedCols, true, false},
        {QRect(0, 0, fixedW, fixedH), fixedRows, fixedCols, true, true},
    };
    const qint64 width = GetColumnCount();
    for (const Region& region : regions) {
        if (region.clip.isEmpty()) continue;
        painter.setClipRect(region.clip);
        std::unordered_set<qint64> merged;
        for (int r : region.rows) {
            for (int c : region.cols) {
                const CXCellBase* cell = GetCell(r, c);
                const bool single = cell->RowSpan().length < 2 && cell->ColumnSpan().length < 2;
                const CXCellID anchor = single ? CXCellID(r, c) : MergeStart({r, c});
                if (!single && !merged.insert(anchor.row * width + anchor.col).second) continue;
                PaintArea(painter, anchor, single ? GetCellRect(anchor) : GetMergedRect(anchor), region.fixed,
                          region.corner);
            }
        }
    }
    painter.setClipping(false);
    PaintCursor(painter);
}

void CXGrid::PaintArea(QPainter& painter, CXCellID anchor, const QRect& area, bool fixed, bool corner)
{
    const CXCellBase* cell = GetCell(anchor);
    const XColor back = corner ? cell->GetBackColor() : fixed ? GetFixedBackColor() : GetCellBackColor();
    painter.fillRect(area, Colour(back));
    const QColor line = Colour(GetLineColor());
    painter.fillRect(QRect(area.right(), area.top(), 1, area.height()), line);
    painter.fillRect(QRect(area.left(), area.bottom(), area.width(), 1), line);

    QRect textArea = area.adjusted(0, 0, -1, -1);
    const QRect mark = fixed ? GroupMarkRect(anchor) : QRect();
    painter.setPen(Colour(cell->GetTextColor()));
    if (!mark.isEmpty()) {
        painter.fillRect(mark, Colour(back));
        painter.drawRect(mark.adjusted(0, 0, -1, -1));
        const int mid = mark.center().y();
        const int pad = std::max(2, mark.width() / 4);
        painter.drawLine(mark.left() + pad, mid, mark.right() - pad, mid);
        if (!IsGroupExpanded(anchor)) {
            const int x = mark.center().x();
            painter.drawLine(x, mark.top() + pad, x, mark.bottom() - pad);
        }
        textArea.setLeft(std::max(textArea.left(), mark.right() + 1));
    }
    const double zoom = GetZoom();
    cell->Draw(painter, textArea, {Scaled(cxgrid::TextMarginX, zoom), Scaled(cxgrid::TextMarginY, zoom)});
}

QRect CXGrid::GroupMarkRect(CXCellID pos) const
{
    if (!IsGroupCell(pos)) return {};
    const QRect area = GetMergedRect(pos);
    if (area.isEmpty()) return {};
    const double zoom = GetZoom();
    const int side = Scaled(9, zoom) | 1;
    // Keep the mark in sight when the group starts scrolled off.
    const int left = std::max(area.left(), GetTreeMode() == 1 ? ColumnLayout().FixedSize() : 0);
    const int top = std::max(area.top(), GetTreeMode() == 2 ? RowLayout().FixedSize() : 0);
    const int lineHeight = std::min(area.bottom() + 1 - top, Scaled(cxgrid::DefaultRowHeight, zoom));
    if (left + side >= area.right() || lineHeight < side) return {};
    return {left + Scaled(3, zoom), top + (lineHeight - side) / 2, side, side};
}

int CXGrid::CursorFrameWidth() const
{
    return Scaled(2, GetZoom());
}

void CXGrid::PaintCursor(QPainter& painter)
{
    const CXCellID cur = GetCurrentCell();
    if (!IsValidCell(cur.row, cur.col)) return;
    const QRect area = GetMergedRect(cur).adjusted(0, 0, -1, -1);
    if (area.isEmpty()) return;
    if (IsDataCell(cur))
        painter.setClipRect(QRect(ColumnLayout().FixedSize(), RowLayout().FixedSize(), 1 << 20, 1 << 20));
    const QColor ink = Colour(GetCellTextColor());
    const QColor paper = Colour(GetCellBackColor());
    const double zoom = GetZoom();
    const int thick = std::min({CursorFrameWidth(), area.width() / 2, area.height() / 2});
    // Reverse video, and a frame along the inside of the cell's edge, so the
    // cell stands out at any size without covering its neighbours; without
    // the focus only the frame.
    painter.fillRect(QRect(area.left(), area.top(), area.width(), thick), ink);
    painter.fillRect(QRect(area.left(), area.bottom() - thick + 1, area.width(), thick), ink);
    painter.fillRect(QRect(area.left(), area.top(), thick, area.height()), ink);
    painter.fillRect(QRect(area.right() - thick + 1, area.top(), thick, area.height()), ink);
    if (hasFocus()) {
        painter.fillRect(area, ink);
        painter.setPen(paper);
        GetCell(cur)->Draw(painter, area, {Scaled(cxgrid::TextMarginX, zoom), Scaled(cxgrid::TextMarginY, zoom)});
    }
    painter.setClipping(false);
}
