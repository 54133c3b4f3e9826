// How the grid holds up at ledger scale: 10,000 rows by 40 columns with
// header merges, tree groups and row merges. Prints the time to fill it,
// RecalcLayout, one cursor move with the text it speaks, a data jump across
// the whole grid, one full repaint of a 1920x1080 view, and the memory held.
// Run by hand: QT_QPA_PLATFORM=offscreen build/bench/grid/bench_grid

#include "grid/CXGrid.h"
#include "voice/CTranscriptReader.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int Rows = 10000;
constexpr int Columns = 40;
constexpr int FixedRows = 4;
constexpr int FixedColumns = 2;

class BenchGrid : public CXGrid {
public:
    using CXGrid::PaintGrid;
};

double ResidentMegabytes()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

QString Amount(qint64 value)
{
    QString digits = QString::number(value);
    for (int i = int(digits.size()) - 3; i > 0; i -= 3) digits.insert(i, u',');
    return digits;
}

void Fill(CXGrid& grid)
{
    grid.SetRowCount(Rows, 0);
    grid.SetColumnCount(Columns, 0);
    grid.SetFixedRowCount(FixedRows);
    grid.SetFixedColumnCount(FixedColumns);
    // Two level-0 groups, each of three level-1 groups of six columns, the
    // last column of every group its subtotal.
    int node = 1;
    for (int g = 0; g < 2; ++g) {
        const int first = FixedColumns + g * 19;
        grid.SetCellText(0, first, g == 0 ? u"収入"_s : u"支出"_s, Qt::AlignHCenter);
        grid.SetColumnSpan(0, first, 19, node++);
        for (int s = 0; s < 3; ++s) {
            grid.SetCellText(1, first + s * 6, u"科目%1"_s.arg(s + 1), Qt::AlignHCenter);
            grid.SetColumnSpan(1, first + s * 6, 6, node++);
            for (int c = 0; c < 6; ++c) {
                grid.SetCellText(2, first + s * 6 + c, c == 5 ? u"合計"_s : u"細目%1"_s.arg(c + 1));
                grid.SetRowSpan(2, first + s * 6 + c, 2, 0);
            }
        }
        grid.SetCellText(1, first + 18, u"合計"_s);
        grid.SetRowSpan(1, first + 18, 3, 0);
    }
    for (int r = FixedRows; r < Rows; ++r) {
        grid.SetCellText(r, 0, u"%1日"_s.arg((r - FixedRows) % 31 + 1));
        for (int c = FixedColumns; c < Columns; ++c)
            grid.SetCellText(r, c, (r + c) % 3 ? u"0"_s : Amount(qint64(r) * 1000 + c), Qt::AlignRight);
    }
    // A month label merged over each run of rows.
    for (int r = FixedRows; r + 31 <= Rows; r += 31) {
        grid.SetCellText(r, 1, u"%1月"_s.arg((r / 31) % 12 + 1));
        grid.SetRowSpan(r, 1, 31, 0);
    }
    grid.SetTreeMode(1);
    grid.SetColumnTreeDepth(4);
    grid.SetGroupExpanded({1, FixedColumns + 6}, false);
}

double Milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("VOICE_TRANSCRIPT", dir.filePath(u"spoken.txt"_s).toUtf8());

    const double before = ResidentMegabytes();
    BenchGrid grid;
    grid.resize(1920, 1080);
    QElapsedTimer timer;
    timer.start();
    Fill(grid);
    const double fillMs = Milliseconds(timer);
    const double after = ResidentMegabytes();

    timer.restart();
    const int layouts = 20;
    for (int i = 0; i < layouts; ++i) grid.RecalcLayout(0);
    const double layoutMs = Milliseconds(timer) / layouts;

    // Moves with speech to the transcript: right and left in the middle of
    // the table, and down the first scrolled column (whole-row reading).
    grid.EnableSpeech(1);
    grid.SetCurrentCell(5000, 10);
    const int moves = 10000;
    timer.restart();
    for (int i = 0; i < moves; ++i) {
        if (i % 2) grid.MoveLeft(grid.GetCurrentCell());
        else grid.MoveRight(grid.GetCurrentCell());
    }
    const double moveMs = Milliseconds(timer) / moves;
    grid.SetCurrentCell(5000, grid.GetTopLeftCell().col);
    timer.restart();
    for (int i = 0; i < moves; ++i) {
        if (i % 2) grid.MoveUp(grid.GetCurrentCell());
        else grid.MoveDown(grid.GetCurrentCell());
    }
    const double rowMoveMs = Milliseconds(timer) / moves;
    const QStringList said = CTranscriptReader::SpokenLines(dir.filePath(u"spoken.txt"_s));
    const QString lastRow = said.isEmpty() ? QString() : said.last();

    // A data jump that finds nothing until the last cell.
    for (int r = FixedRows; r < Rows; ++r)
        for (int c = FixedColumns; c < Columns; ++c) grid.GetCell(r, c)->SetText(u"0"_s);
    grid.SetCellText(Rows - 1, Columns - 1, u"1"_s);
    grid.SetCurrentCell(FixedRows, FixedColumns);
    timer.restart();
    grid.NextData(0);
    const double jumpMs = Milliseconds(timer);
    const bool jumped = grid.GetCurrentCell() == CXCellID(Rows - 1, Columns - 1);
    grid.SetCurrentCell(FixedRows, FixedColumns);
    timer.restart();
    grid.NextData(1);
    const double jumpVerticalMs = Milliseconds(timer);

    // Full repaints of the off-screen picture.
    grid.SetFont(u"MS ゴシック"_s, 9);
    grid.SetViewportSize(QSize(1920, 1080));
    grid.SetCurrentCell(5000, 20);
    QPixmap picture(1920, 1080);
    const int paints = 50;
    {
        QPainter warm(&picture);
        grid.PaintGrid(warm, picture.size());
    }
    timer.restart();
    for (int i = 0; i < paints; ++i) {
        QPainter painter(&picture);
        grid.PaintGrid(painter, picture.size());
    }
    const double paintMs = Milliseconds(timer) / paints;
    grid.SetFont(u"MS ゴシック"_s, 18);
    timer.restart();
    for (int i = 0; i < paints; ++i) {
        QPainter painter(&picture);
        grid.PaintGrid(painter, picture.size());
    }
    const double paint18Ms = Milliseconds(timer) / paints;

    const double heldMb = after - before;
    std::printf("grid %d rows x %d columns (%d cells)\n", Rows, Columns, Rows * Columns);
    std::printf("fill with texts, merges and groups: %8.1f ms\n", fillMs);
    std::printf("RecalcLayout:                        %8.3f ms\n", layoutMs);
    std::printf("cursor move right/left with speech:  %8.4f ms  (aim 1 ms: %.0fx under)\n", moveMs, 1.0 / moveMs);
    std::printf("cursor move down reading the row:    %8.4f ms  (aim 1 ms: %.0fx under)\n", rowMoveMs, 1.0 / rowMoveMs);
    std::printf("  (%lld texts spoken into the transcript; a row reading is %lld characters)\n",
                qlonglong(said.size()), qlonglong(lastRow.size()));
    std::printf("data jump across the grid, mode 0:   %8.2f ms  (%s)\n", jumpMs, jumped ? "found the last cell" : "MISSED");
    std::printf("data jump across the grid, mode 1:   %8.2f ms\n", jumpVerticalMs);
    std::printf("full repaint 1920x1080 at 9 pt:      %8.2f ms  (aim 16 ms: %.1fx under)\n", paintMs, 16.0 / paintMs);
    std::printf("full repaint 1920x1080 at 18 pt:     %8.2f ms  (aim 16 ms: %.1fx under)\n", paint18Ms, 16.0 / paint18Ms);
    std::printf("memory held by the filled grid:      %8.1f MB  (aim 100 MB: %.1fx under)\n", heldMb, 100.0 / heldMb);
    return 0;
}
