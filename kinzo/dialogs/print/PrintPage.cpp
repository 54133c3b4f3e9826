#include "kinzo/dialogs/print/PrintPage.h"

#include "grid/CXGrid.h"

#include <QPainter>

#include <set>

using namespace Qt::StringLiterals;

int PrintPageCount(const CXGrid& grid)
{
    return int(grid.GetColumnPages().size() * grid.GetRowPages().size());
}

QImage RenderPrintPage(CXGrid& grid, int page, int width)
{
    const CXPrintMeasures& m = grid.GetPrintMeasures();
    const int across = std::max<int>(1, int(grid.GetColumnPages().size()));
    const QMargins& off = m.printableOffset;
    const QSize paper(m.printable.width() + off.left() + off.right(), m.printable.height() + off.top() + off.bottom());
    if (paper.isEmpty() || width <= 0) return {};
    const double scale = double(width) / paper.width();
    QImage image(width, int(paper.height() * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    // Point sizes turn into the printer's pixels, as on paper.
    image.setDotsPerMeterX(int(m.printerDpiX / 0.0254));
    image.setDotsPerMeterY(int(m.printerDpiY / 0.0254));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    painter.translate(off.left(), off.top());
    QFont font(grid.GetFontName());
    font.setFamilies({grid.GetFontName(), u"IPAGothic"_s, u"Noto Sans CJK JP"_s});
    font.setPointSize(grid.GetFontSize());
    painter.setFont(font);
    grid.PrintTitle(painter);
    grid.PrintCells(painter, page % across, page / across);
    grid.PrintPageNumber(painter, page % across, page / across);
    return image;
}

namespace {

// The lines printed on a page: the fixed ones and the page's own, shown only.
std::vector<int> PageLines(const CXGrid& grid, bool columns, const CXPrintPage& page)
{
    std::vector<int> lines;
    const int count = columns ? grid.GetColumnCount() : grid.GetRowCount();
    const int fixed = std::min(count, columns ? grid.GetFixedColumnCount() : grid.GetFixedRowCount());
    auto add = [&](int i) {
        if (columns ? grid.IsColumnVisible(i) : grid.IsRowVisible(i)) lines.push_back(i);
    };
    for (int i = 0; i < fixed; ++i) add(i);
    if (page.first >= 0)
        for (int i = page.first; i <= page.last && i < count; ++i) add(i);
    return lines;
}

}  // namespace

QString PrintPageText(const CXGrid& grid, int page)
{
    const int across = int(grid.GetColumnPages().size());
    if (page < 0 || page >= PrintPageCount(grid)) return {};
    const int colPage = page % across;
    const int rowPage = page / across;
    QStringList texts;
    if (!grid.GetPrintTitle().text.isEmpty()) texts << grid.GetPrintTitle().text;
    const std::vector<int> rows = PageLines(grid, false, grid.GetRowPages()[size_t(rowPage)]);
    const std::vector<int> cols = PageLines(grid, true, grid.GetColumnPages()[size_t(colPage)]);
    std::set<std::pair<int, int>> done;   // a merged area is one text
    for (int row : rows)
        for (int col : cols) {
            const CXCellID anchor = grid.MergeStart({row, col});
            if (!done.insert({anchor.row, anchor.col}).second) continue;
            const QString text = grid.GetCellText(anchor.row, anchor.col);
            if (!text.isEmpty()) texts << text;
        }
    texts << CXGrid::PrintPageNumberText(colPage, rowPage);
    return texts.join(u'\n');
}
