// Printing a table larger than a page: the lines are split into pages across
// and down with the fixed lines repeated on every page, a title on top and
// the page number at the bottom right.
#include "CXGrid.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>

#include <cmath>
#include <unordered_set>

using namespace Qt::StringLiterals;

namespace {

QFont PointFont(const QString& face, int pointSize, const QFont& fallback)
{
    QFont font = fallback;
    if (!face.isEmpty()) font.setFamilies({face, u"IPAGothic"_s, u"Noto Sans CJK JP"_s});
    if (pointSize > 0) font.setPointSize(pointSize);
    return font;
}

int ScaledSize(int units, double ratio)
{
    return int(std::lround(units * ratio));
}

}  // namespace

void CXGrid::PrintSetup(QPrinter* printer)
{
    CXPrintMeasures m;
    m.printerDpiX = printer->logicalDpiX();
    m.printerDpiY = printer->logicalDpiY();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        m.screenDpiX = int(std::lround(screen->logicalDotsPerInchX()));
        m.screenDpiY = int(std::lround(screen->logicalDotsPerInchY()));
    }
    m.ratioX = m.screenDpiX > 0 ? double(m.printerDpiX) / m.screenDpiX : 1.0;
    m.ratioY = m.screenDpiY > 0 ? double(m.printerDpiY) / m.screenDpiY : 1.0;
    const QRect paper = printer->paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = printer->pageRect(QPrinter::DevicePixel).toRect();
    m.printable = QRect(0, 0, page.width(), page.height());
    m.printableOffset = QMargins(page.left() - paper.left(), page.top() - paper.top(),
                                 paper.right() - page.right(), paper.bottom() - page.bottom());
    m.textMarginX = ScaledSize(cxgrid::TextMarginX, m.ratioX);
    m.textMarginY = ScaledSize(cxgrid::TextMarginY, m.ratioY);
    m_measures = m;
}

void CXGrid::SetPrintTitle(const CXPrintTitle& title, const CXPrintFont& pageNumberFont)
{
    m_printTitle = title;
    m_pageNumberFont = pageNumberFont;
}

namespace {

// The page margins in printer pixels from the printable area's edges.
QMargins MarginPixels(const CXPageMargins& mm, const CXPrintMeasures& m)
{
    const QMargins& off = m.printableOffset;
    return {std::max(0, cxgrid::MillimetresToPixels(mm.left, m.printerDpiX) - off.left()),
            std::max(0, cxgrid::MillimetresToPixels(mm.top, m.printerDpiY) - off.top()),
            std::max(0, cxgrid::MillimetresToPixels(mm.right, m.printerDpiX) - off.right()),
            std::max(0, cxgrid::MillimetresToPixels(mm.bottom, m.printerDpiY) - off.bottom())};
}

}  // namespace

// The title's line and the page number's line are kept clear of the cells.
int CXGrid::PrintHeaderHeight() const
{
    if (m_printTitle.text.isEmpty()) return 0;
    const QFont font = PointFont(m_printTitle.face, m_printTitle.pointSize, m_font);
    const double pixelsPerPoint = m_measures.printerDpiY / 72.0;
    return int(std::lround(QFontInfo(font).pointSizeF() * pixelsPerPoint * 1.6));
}

int CXGrid::PrintFooterHeight() const
{
    const QFont font = PointFont(m_pageNumberFont.face, m_pageNumberFont.pointSize, m_font);
    const double pixelsPerPoint = m_measures.printerDpiY / 72.0;
    return int(std::lround(QFontInfo(font).pointSizeF() * pixelsPerPoint * 1.6));
}

int CXGrid::ComputePages(QPrinter* printer)
{
    m_colPages.clear();
    m_rowPages.clear();
    if (!printer) return 0;
    PrintSetup(printer);
    const QMargins margins = MarginPixels(m_pageMargins, m_measures);
    const int usableWidth = m_measures.printable.width() - margins.left() - margins.right();
    const int usableHeight = m_measures.printable.height() - margins.top() - margins.bottom()
                             - PrintHeaderHeight() - PrintFooterHeight();
    if (!SplitPages(true, usableWidth) || !SplitPages(false, usableHeight)) {
        m_colPages.clear();
        m_rowPages.clear();
        return 0;
    }
    return 1;
}

// A line on paper: its size in screen units, grown with the zoom as the
// printed font is, then in printer pixels.
int CXGrid::PrintLineSize(bool column, int line) const
{
    const double ratio = column ? m_measures.ratioX : m_measures.ratioY;
    return ScaledSize(column ? GetColumnWidth(line) : GetRowHeight(line), ratio * GetZoom());
}

// Hidden lines take no room; a line that cannot fit on a page of its own, or
// fixed lines that fill the page alone, make the split fail.
bool CXGrid::SplitPages(bool columns, int usable)
{
    const int count = columns ? GetColumnCount() : GetRowCount();
    const int fixedCount = std::min(count, columns ? GetFixedColumnCount() : GetFixedRowCount());
    auto visible = [&](int i) { return columns ? IsColumnVisible(i) : IsRowVisible(i); };
    auto size = [&](int i) { return PrintLineSize(columns, i); };
    int fixedSize = 0;
    for (int i = 0; i < fixedCount; ++i)
        if (visible(i)) fixedSize += size(i);
    if (fixedSize > usable) return false;
    auto& pages = columns ? m_colPages : m_rowPages;
    CXPrintPage page;
    int used = fixedSize;
    for (int i = fixedCount; i < count; ++i) {
        if (!visible(i)) continue;
        const int s = size(i);
        if (used + s > usable) {
            if (page.first < 0) return false;
            pages.push_back(page);
            page = {};
            used = fixedSize;
            if (used + s > usable) return false;
        }
        used += s;
        if (page.first < 0) page.first = i;
        page.last = i;
    }
    // A table without data lines still prints its fixed lines once.
    if (page.first >= 0 || pages.empty()) pages.push_back(page);
    return true;
}

int CXGrid::Print(QPrinter* printer)
{
    if (!printer) return 0;
    if ((m_colPages.empty() || m_rowPages.empty()) && !ComputePages(printer)) return 0;
    PrintSetup(printer);
    printer->setDocName(m_printTitle.text.isEmpty() ? u"表"_s : m_printTitle.text);
    QPainter painter;
    if (!painter.begin(printer)) return 0;
    painter.setFont(PointFont(GetFontName(), GetFontSize(), m_font));
    // The printer dialog's page range counts the pages in print order from 1.
    const QPageRanges ranges = printer->pageRanges();
    const bool ranged = printer->printRange() == QPrinter::PageRange && !ranges.isEmpty();
    bool ok = true;
    bool first = true;
    for (int rowPage = 0; ok && rowPage < int(m_rowPages.size()); ++rowPage) {
        for (int colPage = 0; ok && colPage < int(m_colPages.size()); ++colPage) {
            if (ranged && !ranges.contains(rowPage * int(m_colPages.size()) + colPage + 1)) continue;
            if (!first && !printer->newPage()) {
                ok = false;
                break;
            }
            first = false;
            PrintTitle(painter);
            PrintCells(painter, colPage, rowPage);
            PrintPageNumber(painter, colPage, rowPage);
        }
    }
    if (!ok) {
        printer->abort();
        return 0;
    }
    return painter.end() ? 1 : 0;
}

void CXGrid::PrintTitle(QPainter& painter)
{
    if (m_printTitle.text.isEmpty()) return;
    const QMargins margins = MarginPixels(m_pageMargins, m_measures);
    painter.save();
    painter.setFont(PointFont(m_printTitle.face, m_printTitle.pointSize, m_font));
    painter.setPen(Qt::black);
    const QRect area(margins.left(), margins.top(), m_measures.printable.width() - margins.left() - margins.right(),
                     PrintHeaderHeight());
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_printTitle.text);
    painter.restore();
}

QString CXGrid::PrintPageNumberText(int colPage, int rowPage)
{
    return u"ページ／%1 - %2"_s.arg(rowPage + 1).arg(colPage + 1);
}

void CXGrid::PrintPageNumber(QPainter& painter, int colPage, int rowPage)
{
    const QMargins margins = MarginPixels(m_pageMargins, m_measures);
    painter.save();
    painter.setFont(PointFont(m_pageNumberFont.face, m_pageNumberFont.pointSize, m_font));
    painter.setPen(Qt::black);
    const QString text = PrintPageNumberText(colPage, rowPage);
    const int right = m_measures.printable.width() - margins.right();
    const int bottom = m_measures.printable.height() - margins.bottom();
    const int height = PrintFooterHeight();
    painter.drawText(QRect(margins.left(), bottom - height, right - margins.left(), height),
                     Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine, text);
    painter.restore();
}

void CXGrid::PrintCells(QPainter& painter, int colPage, int rowPage)
{
    if (colPage < 0 || rowPage < 0 || colPage >= int(m_colPages.size()) || rowPage >= int(m_rowPages.size())) return;
    const QMargins margins = MarginPixels(m_pageMargins, m_measures);
    // Page lines in order with their offsets: the fixed lines, then the page's own.
    auto lay = [&](bool columns, const CXPrintPage& page, std::vector<int>& lines, std::vector<int>& pos) {
        const int fixedCount = columns ? GetFixedColumnCount() : GetFixedRowCount();
        const int count = columns ? GetColumnCount() : GetRowCount();
        auto add = [&](int i) {
            if (!(columns ? IsColumnVisible(i) : IsRowVisible(i))) return;
            const int size = PrintLineSize(columns, i);
            lines.push_back(i);
            pos.push_back(pos.back() + size);
        };
        pos.push_back(0);
        for (int i = 0; i < std::min(fixedCount, count); ++i) add(i);
        if (page.first >= 0)
            for (int i = page.first; i <= page.last && i < count; ++i) add(i);
    };
    std::vector<int> rows, cols, rowPos, colPos;
    lay(false, m_rowPages[size_t(rowPage)], rows, rowPos);
    lay(true, m_colPages[size_t(colPage)], cols, colPos);
    const QPoint origin(margins.left(), margins.top() + PrintHeaderHeight());
    auto indexOf = [](const std::vector<int>& lines, int line) {
        const auto it = std::find(lines.begin(), lines.end(), line);
        return it == lines.end() ? -1 : int(it - lines.begin());
    };
    painter.save();
    painter.setClipRect(QRect(origin, QSize(colPos.back() + 1, rowPos.back() + 1)));
    std::unordered_set<qint64> done;
    for (size_t ri = 0; ri < rows.size(); ++ri) {
        for (size_t ci = 0; ci < cols.size(); ++ci) {
            const CXCellID anchor = MergeStart({rows[ri], cols[ci]});
            if (!done.insert(qint64(anchor.row) * GetColumnCount() + anchor.col).second) continue;
            // The merged area as far as its lines are on this page.
            const CXCellID end = MergeEnd(anchor);
            int top = -1, bottom = -1, left = -1, right = -1;
            for (int r = anchor.row; r <= end.row; ++r)
                if (const int k = indexOf(rows, r); k >= 0) { if (top < 0) top = k; bottom = k; }
            for (int c = anchor.col; c <= end.col; ++c)
                if (const int k = indexOf(cols, c); k >= 0) { if (left < 0) left = k; right = k; }
            const QRect area(origin.x() + colPos[size_t(left)], origin.y() + rowPos[size_t(top)],
                             colPos[size_t(right) + 1] - colPos[size_t(left)],
                             rowPos[size_t(bottom) + 1] - rowPos[size_t(top)]);
            PrintArea(painter, anchor, area);
        }
    }
    painter.restore();
}

void CXGrid::PrintArea(QPainter& painter, CXCellID anchor, const QRect& area)
{
    const CXCellBase* cell = GetCell(anchor);
    const bool fixedRow = anchor.row < GetFixedRowCount();
    const bool fixedCol = anchor.col < GetFixedColumnCount();
    const XColor back = fixedRow && fixedCol ? cell->GetBackColor()
                        : fixedRow || fixedCol ? GetFixedBackColor()
                                               : GetCellBackColor();
    painter.fillRect(area, QColor::fromRgba(back));
    painter.setPen(QPen(QColor::fromRgba(GetLineColor()), std::max(1.0, m_measures.ratioX / 2)));
    painter.drawRect(area);
    painter.setPen(QColor::fromRgba(cell->GetTextColor()));
    const double zoom = GetZoom();
    cell->Draw(painter, area, {int(std::lround(m_measures.textMarginX * zoom)),
                               int(std::lround(m_measures.textMarginY * zoom))});
}
