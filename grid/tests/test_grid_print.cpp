// Printing to PDF: the split into pages across and down, the page order and
// numbers, the title, and the fixed lines repeated on every page.
#include "GridTestSupport.h"

#include "grid/CXGrid.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

namespace {

class RecordingGrid : public CXGrid {
public:
    QStringList pages;
    void PrintPageNumber(QPainter& painter, int colPage, int rowPage) override
    {
        pages << u"%1,%2"_s.arg(rowPage + 1).arg(colPage + 1);
        CXGrid::PrintPageNumber(painter, colPage, rowPage);
    }
};

// One fixed row and column; data columns "C1".., data rows "R1"...
void FillWide(CXGridModel& grid, int columns, int rows)
{
    grid.SetRowCount(rows + 1);
    grid.SetColumnCount(columns + 1);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetCellText(0, 0, u"科目"_s);
    for (int c = 1; c <= columns; ++c) grid.SetCellText(0, c, u"C%1"_s.arg(c));
    for (int r = 1; r <= rows; ++r) {
        grid.SetCellText(r, 0, u"R%1"_s.arg(r));
        for (int c = 1; c <= columns; ++c) grid.SetCellText(r, c, QString::number(r * 100 + c));
    }
}

void PdfPrinter(QPrinter& printer, const QString& path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

QString PageText(const QString& pdf, int page)
{
    const QString tool = QStandardPaths::findExecutable(u"pdftotext"_s);
    if (tool.isEmpty()) return u"(pdftotext missing: install poppler-utils)"_s;
    QProcess run;
    run.start(tool, {u"-f"_s, QString::number(page), u"-l"_s, QString::number(page), pdf, u"-"_s});
    run.waitForFinished(30000);
    return QString::fromUtf8(run.readAllStandardOutput());
}

// The words of a page with their boxes in PDF points (1/72 inch) from the
// paper's top-left corner, as pdftotext finds them.
struct Word {
    QString text;
    QRectF box;
};
QList<Word> PageWords(const QString& pdf, int page)
{
    const QString tool = QStandardPaths::findExecutable(u"pdftotext"_s);
    if (tool.isEmpty()) return {};
    QProcess run;
    run.start(tool, {u"-bbox"_s, u"-f"_s, QString::number(page), u"-l"_s, QString::number(page), pdf, u"-"_s});
    run.waitForFinished(30000);
    const QString html = QString::fromUtf8(run.readAllStandardOutput());
    static const QRegularExpression word(
        uR"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"_s);
    QList<Word> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.append({m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                            QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return words;
}
QRectF BoxOf(const QList<Word>& words, const QString& text)
{
    for (const Word& w : words)
        if (w.text == text) return w.box;
    return {};
}
constexpr double PointsPerMm = 72.0 / 25.4;

// A small ledger: amounts under 収入 and 支出 for three accounts.
void FillAmounts(CXGridModel& grid)
{
    grid.SetRowCount(4);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    const QStringList rows{u"科目"_s, u"給与"_s, u"食費"_s, u"光熱費"_s};
    const QStringList income{u"収入"_s, u"200,000"_s, u"0"_s, u"0"_s};
    const QStringList expense{u"支出"_s, u"0"_s, u"-31,200"_s, u"8,765"_s};
    for (int r = 0; r < 4; ++r) {
        grid.SetCellText(r, 0, rows[r]);
        grid.SetCellText(r, 1, income[r], Qt::AlignRight);
        grid.SetCellText(r, 2, expense[r], Qt::AlignRight);
    }
    grid.SetColumnWidth(0, 50);
    grid.SetColumnWidth(1, 60);
    grid.SetColumnWidth(2, 60);
}

int PdfPageCount(const QString& pdf)
{
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray bytes = file.readAll();
    return int(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page>")
               + bytes.count("/Type /Page/"));
}

}  // namespace

class TestGridPrint : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Where the title and the page number land on paper, read back from the PDF.
    void marginsInMillimetresBecomePrinterPixels()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"margins.pdf"_s);
        QPrinter printer;
        PdfPrinter(printer, pdf);
        CXGrid grid;
        FillWide(grid, 3, 3);
        grid.SetPrintTitle({u"題名"_s, {}, 12}, {{}, 9});
        QCOMPARE(grid.Print(&printer), 1);
        const QList<Word> words = PageWords(pdf, 1);
        QVERIFY2(!words.isEmpty(), "pdftotext found no words (install poppler-utils)");
        // Left 20 mm and top 10 mm for the title; right 15 mm and bottom 10
        // mm for the page number, on A4 (210 × 297 mm). Glyphs sit a little
        // inside their line box.
        const QRectF title = BoxOf(words, u"題名"_s);
        QVERIFY(qAbs(title.left() - 20 * PointsPerMm) < 2);
        QVERIFY(title.top() >= 10 * PointsPerMm - 1 && title.top() < 10 * PointsPerMm + 5);
        const QRectF number = BoxOf(words, u"1"_s).united(BoxOf(words, u"ページ／1"_s));
        QVERIFY2(qAbs(number.right() - (210 - 15) * PointsPerMm) < 2, qPrintable(QString::number(number.right())));
        QVERIFY(number.bottom() <= (297 - 10) * PointsPerMm + 1 && number.bottom() > (297 - 10) * PointsPerMm - 6);
        // The cells start at the left margin, under the title.
        const QRectF corner = BoxOf(words, u"科目"_s);
        QVERIFY(corner.left() > 20 * PointsPerMm && corner.left() < 20 * PointsPerMm + 10);
        QVERIFY(corner.top() > title.bottom());
    }

    // Printed at the screen's font size: every amount reads back whole, and
    // the cells grow with the font (18 pt is twice 9 pt across the page).
    void aNarrowTableIsOnePageAcross_data()
    {
        QTest::addColumn<int>("points");
        QTest::newRow("9") << 9;
        QTest::newRow("18") << 18;
        QTest::newRow("45") << 45;
    }
    void aNarrowTableIsOnePageAcross()
    {
        QFETCH(int, points);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"narrow.pdf"_s);
        QPrinter printer;
        PdfPrinter(printer, pdf);
        CXGrid grid;
        FillAmounts(grid);
        grid.SetFont(u"MS ゴシック"_s, points);
        QCOMPARE(grid.Print(&printer), 1);
        const QString kept = QCoreApplication::applicationDirPath() + u"/grid_print_%1pt.pdf"_s.arg(points);
        QFile::remove(kept);
        QFile::copy(pdf, kept);
        QString all;
        const int pages = PdfPageCount(pdf);
        for (int page = 1; page <= pages; ++page) all += PageText(pdf, page);
        for (const QString& amount : {u"200,000"_s, u"-31,200"_s, u"8,765"_s, u"光熱費"_s, u"支出"_s})
            QVERIFY2(all.contains(amount), qPrintable(amount + u" missing in: "_s + all));
        if (points == 45) {
            // 50 + 60 + 60 units of 1/96 inch at five times the size are
            // wider than A4's 175 mm between the margins: a second page across.
            QCOMPARE(pages, 2);
            return;
        }
        QCOMPARE(pages, 1);
        const QList<Word> words = PageWords(pdf, 1);
        // Right-aligned amounts end near the right edge of their column: the
        // left margin (20 mm) plus 50 + 60 units of 1/96 inch at the zoom.
        const double zoom = points / 9.0;
        const double columnEnd = 20 * PointsPerMm + (50 + 60) * zoom * 72.0 / 96.0;
        const QRectF amount = BoxOf(words, u"200,000"_s);
        QVERIFY2(amount.right() < columnEnd && amount.right() > columnEnd - 12 * zoom,
                 qPrintable(u"%1 vs %2"_s.arg(amount.right()).arg(columnEnd)));
    }

    void pagesPrintRowBandsOuterWithNumbersAndRepeatedFixedLines()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"wide.pdf"_s);
        QPrinter printer;
        PdfPrinter(printer, pdf);
        RecordingGrid grid;
        FillWide(grid, 20, 80);
        grid.SetPrintTitle({u"月表示 2024年度"_s, {}, 12}, {{}, 9});
        QCOMPARE(grid.ComputePages(&printer), 1);
        QCOMPARE(grid.GetColumnPages().size(), size_t(3));
        QCOMPARE(grid.GetRowPages().size(), size_t(2));
        QCOMPARE(grid.GetColumnPages()[1].first, grid.GetColumnPages()[0].last + 1);
        QCOMPARE(grid.GetColumnPages()[2].last, 20);
        QCOMPARE(grid.GetRowPages()[1].last, 80);
        QCOMPARE(grid.Print(&printer), 1);
        QCOMPARE(grid.pages, (QStringList{u"1,1"_s, u"1,2"_s, u"1,3"_s, u"2,1"_s, u"2,2"_s, u"2,3"_s}));
        QCOMPARE(PdfPageCount(pdf), 6);
        const QString kept = QCoreApplication::applicationDirPath() + u"/grid_print_wide.pdf"_s;
        QFile::remove(kept);
        QFile::copy(pdf, kept);  // for a look at the pages

        const QString second = PageText(pdf, 2);
        QVERIFY2(second.contains(u"ページ／1 - 2"_s), qPrintable(second));
        QVERIFY(second.contains(u"月表示 2024年度"_s));
        QVERIFY(second.contains(u"科目"_s));  // fixed row and column on every page
        QVERIFY(second.contains(u"R1\n"_s) || second.contains(u"R1 "_s));
        const QString firstColumnOnSecond = u"C%1"_s.arg(grid.GetColumnPages()[1].first);
        QVERIFY(second.contains(firstColumnOnSecond));
        QVERIFY(!second.contains(u"C1\n"_s));
        const QString last = PageText(pdf, 6);
        QVERIFY(last.contains(u"ページ／2 - 3"_s));
        QVERIFY(last.contains(u"R80"_s));
        QVERIFY(last.contains(u"8020"_s));
        QVERIFY(!last.contains(u"R1\n"_s));
    }

    void linesThatCannotFitMakeTheSplitFail()
    {
        QTemporaryDir dir;
        QPrinter printer;
        PdfPrinter(printer, dir.filePath(u"fail.pdf"_s));
        CXGrid grid;
        FillWide(grid, 4, 4);
        grid.SetColumnWidth(3, 2000);
        QCOMPARE(grid.ComputePages(&printer), 0);
        QVERIFY(grid.GetColumnPages().empty());
        QVERIFY(grid.GetRowPages().empty());
        // Hidden, it takes no room.
        grid.SetColumnVisible(3, 0);
        QCOMPARE(grid.ComputePages(&printer), 1);
        QCOMPARE(grid.GetColumnPages().size(), size_t(1));
        grid.SetColumnWidth(0, 2000);
        QCOMPARE(grid.ComputePages(&printer), 0);
        QCOMPARE(grid.Print(&printer), 0);
    }

    void aGridWithoutDataLinesPrintsItsHeadersOnce()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"empty.pdf"_s);
        QPrinter printer;
        PdfPrinter(printer, pdf);
        CXGrid grid;
        FillWide(grid, 0, 0);
        QCOMPARE(grid.Print(&printer), 1);
        QCOMPARE(PdfPageCount(pdf), 1);
        QVERIFY(PageText(pdf, 1).contains(u"科目"_s));
    }
};

QTEST_MAIN(TestGridPrint)
#include "test_grid_print.moc"
