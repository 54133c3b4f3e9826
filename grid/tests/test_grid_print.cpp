// Printing to PDF: the split into pages across and down, the page order and
// numbers, the title, and the fixed lines repeated on every page.
#include "GridTestSupport.h"

#include "grid/CXGrid.h"

#include <QPrinter>
#include <QProcess>
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
    void marginsInMillimetresBecomePrinterPixels()
    {
        QCOMPARE(cxgrid::MillimetresToPixels(20, 600), 472);
        QCOMPARE(cxgrid::MillimetresToPixels(10, 600), 236);
        QCOMPARE(cxgrid::MillimetresToPixels(15, 600), 354);
    }

    void aNarrowTableIsOnePageAcross()
    {
        QTemporaryDir dir;
        QPrinter printer;
        PdfPrinter(printer, dir.filePath(u"narrow.pdf"_s));
        CXGrid grid;
        FillWide(grid, 3, 5);
        QCOMPARE(grid.ComputePages(&printer), 1);
        QCOMPARE(grid.GetColumnPages().size(), size_t(1));
        QCOMPARE(grid.GetColumnPages()[0].first, 1);
        QCOMPARE(grid.GetColumnPages()[0].last, 3);
        QCOMPARE(grid.GetRowPages().size(), size_t(1));
        QCOMPARE(grid.GetPrintMeasures().ratioX, 600.0 / 96.0);
        QCOMPARE(grid.GetPrintMeasures().textMarginX, 31);
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
