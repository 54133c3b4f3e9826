// Printing the four reports from the program's main window as a user does:
// Ctrl+P opens "印刷" on the report and period of the active view, the
// user's choices go through Qt's printer dialog to a PDF file, and the PDF
// (read back with pdftotext) has as many pages as the question said, the
// title and page number on each, and the sums this test works out from the
// entries it booked. The preview shows the same pages; the period checks,
// the page range of the printer dialog and a failed print are covered too.

#include "kinzo/app/CKinzoApp.h"
#include "kinzo/app/CMainFrame.h"
#include "kinzo/app/KinzoCommands.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/print/CKinzoPrintDialog.h"
#include "kinzo/dialogs/print/CPrintPreviewDialog.h"
#include "kinzo/dialogs/tests/LedgerAppFixture.h"
#include "kinzo/views/LedgerViews.h"
#include "kinzo/views/summary/CSummaryView.h"
#include "kolib/CKoEdit.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/CKoVDateTimeCtrl.h"

#include <QFontDatabase>
#include <QListWidget>
#include <QPrintDialog>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Spaces (the ideographic one too) and line breaks as pdftotext lays them out do not count.
// pdftotext reads the wave dash of the printed font as U+301C.
QString squeezed(QString text)
{
    text.remove(QRegularExpression(u"\\s+"_s, QRegularExpression::UseUnicodePropertiesOption));
    return text.replace(QChar(0xFF5E), QChar(0x301C));
}

QString pdfText(const QString& path)
{
    QProcess p;
    p.start(u"pdftotext"_s, {u"-layout"_s, u"-enc"_s, u"UTF-8"_s, path, u"-"_s});
    return p.waitForFinished(30000) ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

QStringList pdfPages(const QString& path)
{
    QStringList pages = pdfText(path).split(u'\f');
    if (!pages.isEmpty() && squeezed(pages.last()).isEmpty()) pages.removeLast();
    for (QString& page : pages) page = squeezed(page);
    return pages;
}

// KINZO_SCREENSHOT_DIR keeps pictures of the dialogs and of the first printed page for a look.
void keepPicture(QWidget* window, const QString& name)
{
    const QString folder = qEnvironmentVariable("KINZO_SCREENSHOT_DIR");
    if (!folder.isEmpty()) window->grab().save(QDir(folder).filePath(name + u".png"_s));
}

void keepFirstPage(const QString& pdf, const QString& name)
{
    const QString folder = qEnvironmentVariable("KINZO_SCREENSHOT_DIR");
    if (folder.isEmpty()) return;
    QProcess::execute(u"pdftoppm"_s, {u"-png"_s, u"-r"_s, u"60"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s,
                                      u"-singlefile"_s, pdf, QDir(folder).filePath(name)});
}

// The amounts of each printed line of the table, left to right, as pdftotext
// lays them out; lines without amounts and the page number are left out.
// Pages side by side (across) continue the lines of the first.
QList<QStringList> amountRows(const QString& text, bool pagesAcross)
{
    static const QRegularExpression amount(u"^-?\\d{1,3}(,\\d{3})*$"_s);
    QList<QStringList> rows;
    for (const QString& page : text.split(u'\f')) {
        QList<QStringList> pageRows;
        for (const QString& line : page.split(u'\n')) {
            if (line.contains(u"ページ／"_s)) continue;
            QStringList found;
            for (const QString& token : line.split(u' ', Qt::SkipEmptyParts))
                if (amount.match(token).hasMatch()) found << token;
            if (!found.isEmpty()) pageRows << found;
        }
        if (!pagesAcross || rows.isEmpty()) rows += pageRows;
        else
            for (qsizetype i = 0; i < std::min(rows.size(), pageRows.size()); ++i) rows[i] += pageRows[i];
    }
    return rows;
}

// Pure red ink on the first page, rendered.
int redPixels(const QString& pdf)
{
    const QString png = pdf + u"-page"_s;
    QProcess::execute(u"pdftoppm"_s, {u"-png"_s, u"-r"_s, u"100"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s,
                                      u"-singlefile"_s, pdf, png});
    const QImage page(png + u".png"_s);
    int red = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            red += c.red() > 160 && c.green() < 100 && c.blue() < 100;
        }
    return red;
}

QString yen(qint64 amount)
{
    return QLocale(QLocale::English).toString(amount);
}

struct Booking {
    QDate date;
    int item = 0;
    qint64 amount = 0;
};

struct Job {
    int report = 0;
    QDate start;
    QDate end;
    int orientation = 0;   // the combo's entry
    int expand = 3;
    int fontSize = 10;
};

}  // namespace

class TestPrintReports : public QObject {
    Q_OBJECT

    LedgerAppFixture f;
    int m_salary = 0, m_food = 0, m_groceries = 0, m_eatOut = 0, m_fare = 0;
    int m_pdfs = 0;
    QList<Booking> m_booked;

    bool book(const QDate& date, int item, qint64 amount, const QString& note = QString())
    {
        m_booked.append({date, item, amount});
        return f.AddEntry(date, item, amount, note);
    }

    qint64 bookedSum(const QList<int>& items, const QDate& first, const QDate& last) const
    {
        qint64 sum = 0;
        for (const Booking& b : m_booked)
            if (items.contains(b.item) && b.date >= first && b.date <= last) sum += b.amount;
        return sum;
    }

    QString lastPdf() const { return f.home.filePath(u"report%1.pdf"_s.arg(m_pdfs)); }

    CMainFrame& frame() { return *f.App().MainFrame(); }

    // Ctrl+P in the main window; act runs once the dialog is up, which is
    // closed afterwards when act left it open.
    void withPrintDialog(std::function<void(CKinzoPrintDialog*)> act)
    {
        bool opened = false;
        WhenModalOf<CKinzoPrintDialog>([&opened, act](CKinzoPrintDialog* d) {
            opened = true;
            act(d);
            if (d->isVisible()) d->CancelButton()->click();
        });
        QTRY_VERIFY(QApplication::focusWidget() && !QApplication::activeModalWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
        QVERIFY(opened);
    }

    void choose(CKinzoPrintDialog* d, const Job& job)
    {
        d->ReportList()->setCurrentRow(job.report);
        d->StartPicker()->setDate(job.start);
        d->EndPicker()->setDate(job.end);
        d->OrientationCombo()->setCurrentIndex(job.orientation);
        d->ExpandCombo()->setCurrentIndex(job.expand);
        d->SetPrintFont(u"IPAGothic"_s, job.fontSize);
    }

    // Qt's printer dialog answered with a PDF file (and a page range when given).
    static void answerPrinterDialog(const QString& pdf, int from = 0, int to = 0)
    {
        WhenModalOf<QPrintDialog>([pdf, from, to](QPrintDialog* p) {
            p->findChild<QLineEdit*>(u"filename"_s)->setText(pdf);
            if (from > 0) {
                p->findChild<QRadioButton*>(u"printRange"_s)->setChecked(true);
                p->findChild<QSpinBox*>(u"from"_s)->setValue(from);
                p->findChild<QSpinBox*>(u"to"_s)->setValue(to);
            }
            p->accept();
        });
    }

    // Prints the job with "印刷（&P）..."; the PDF's pages, the question's count in count.
    QStringList printJob(const Job& job, int& count, int from = 0, int to = 0)
    {
        count = -1;
        const QString pdf = f.home.filePath(u"report%1.pdf"_s.arg(++m_pdfs));
        f.messages.clear();
        f.ClearHeard();
        withPrintDialog([this, &job, pdf, from, to](CKinzoPrintDialog* d) {
            choose(d, job);
            answerPrinterDialog(pdf, from, to);
            d->OkButton()->click();
        });
        keepFirstPage(pdf, u"report%1_orientation%2"_s.arg(job.report).arg(job.orientation));
        const QRegularExpression question(u"^印刷枚数は、(\\d+)ページ"_s);
        for (const QString& m : f.messages)
            if (const auto match = question.match(m); match.hasMatch()) count = match.captured(1).toInt();
        return pdfPages(pdf);
    }

    // Title and page number on every page; "ページ／r - c" with r rows and c columns of pages.
    void checkPages(const QStringList& pages, const QString& title, int& down, int& across)
    {
        QVERIFY(!pages.isEmpty());
        down = across = 0;
        const QRegularExpression number(u"ページ／(\\d+)-(\\d+)"_s);
        for (int i = 0; i < pages.size(); ++i) {
            QVERIFY2(pages[i].contains(squeezed(title)), qPrintable(pages[i]));
            const auto match = number.match(pages[i]);
            QVERIFY2(match.hasMatch(), qPrintable(pages[i]));
            down = std::max(down, match.captured(1).toInt());
            across = std::max(across, match.captured(2).toInt());
        }
        QStringList numbers;
        for (const QString& page : pages) numbers << pageNumber(page);
        QVERIFY2(down * across == int(pages.size()), qPrintable(numbers.join(u' ')));
        // Row pages outer, column pages inner.
        QVERIFY(pages.last().contains(u"ページ／%1-%2"_s.arg(down).arg(across)));
    }

    static QString pageNumber(const QString& page)
    {
        return QRegularExpression(u"ページ／(\\d+)-(\\d+)"_s).match(page).captured(0);
    }

    // "差額" and "残高", the last two lines of the account axis: with accounts
    // across (entry 0) they head the last columns, so they are on the last
    // column of pages (差額 perhaps one before); with accounts down, on the
    // last row of pages.
    void checkSummaryEnd(const QStringList& pages, int orientation, int down, int across)
    {
        const QRegularExpression number(u"ページ／(\\d+)-(\\d+)"_s);
        const int last = orientation == 0 ? across : down;
        for (const QString& text : {u"差額"_s, u"残高"_s}) {
            QStringList on;
            bool wrong = false;
            for (const QString& page : pages) {
                if (!page.contains(text)) continue;
                const auto match = number.match(page);
                const int at = match.captured(orientation == 0 ? 2 : 1).toInt();
                on << match.captured(0);
                if (at != last && !(text == u"差額"_s && at == last - 1)) wrong = true;
            }
            QVERIFY2(!on.isEmpty() && !wrong, qPrintable(text + u" on "_s + on.join(u' ')));
        }
    }

    static bool anyPageHas(const QStringList& pages, const QString& text)
    {
        for (const QString& page : pages)
            if (page.contains(text)) return true;
        return false;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(!QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty(), "poppler-utils is needed");
        f.Start();
        RegisterLedgerViews();
        f.App().m_splashMinimumMs = 0;
        QVERIFY(f.App().InitInstance({}));
        QVERIFY(QTest::qWaitForWindowExposed(&frame()));
        frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame()));
        QVERIFY(f.NewLedger());
        m_salary = f.AddAccount(f.Root(1)->m_data.ID, u"給与"_s);
        m_food = f.AddAccount(f.Root(2)->m_data.ID, u"食費"_s);
        m_groceries = f.AddAccount(m_food, u"食料品"_s);
        m_eatOut = f.AddAccount(m_food, u"外食"_s);
        m_fare = f.AddAccount(f.Root(2)->m_data.ID, u"交通費"_s);
        QVERIFY(book(QDate(2015, 12, 31), m_salary, 1000));
        QVERIFY(book(QDate(2016, 4, 30), m_salary, 10000));
        QVERIFY(book(QDate(2016, 5, 1), m_groceries, 1200));
        QVERIFY(book(QDate(2016, 5, 10), m_eatOut, 3000, u"昼食"_s));
        QVERIFY(book(QDate(2016, 5, 10), m_fare, 500));
        QVERIFY(book(QDate(2016, 5, 25), m_salary, 300000));
        f.App().m_settingInfo.m_startMonth = 1;
        f.App().m_settingInfo.m_hideZeroAccount = 0;
        f.App().m_currentDate = QDate(2016, 5, 10);
        frame().RunCommand(CmdListView);
        QTRY_VERIFY(QApplication::focusWidget());
    }

    void opensOnTheActiveViewsReportAndPeriod()
    {
        frame().RunCommand(CmdMonthView);
        QTRY_COMPARE(frame().ActiveFormId(), 138);
        QStringList seen;
        withPrintDialog([&seen](CKinzoPrintDialog* d) {
            seen << d->windowTitle() << d->ReportList()->currentItem()->text()
                 << d->StartPicker()->date().toString(Qt::ISODate) << d->EndPicker()->date().toString(Qt::ISODate)
                 << d->OrientationCombo()->currentText();
            d->OrientationCombo()->setCurrentIndex(1);
            d->ExpandCombo()->setCurrentIndex(2);
            d->SetPrintFont(u"IPAGothic"_s, 11);
            seen << d->FontEdit()->text();
            keepPicture(d, u"print_dialog"_s);
            d->CancelButton()->click();
        });
        QCOMPARE(seen, (QStringList{u"印刷"_s, u"日表示集計表"_s, u"2016-05-01"_s, u"2016-05-31"_s,
                                    u"科目を横方向に表示"_s, u"IPAGothic ; 11 pnt"_s}));
        // Closing keeps the choices, and the next opening shows them.
        const CKinzoIniFile& ini = f.App().m_iniFile;
        QCOMPARE(ini.ReadPrintTableOrient(), 1);
        QCOMPARE(ini.ReadPrintAccountExpandLevel(), 2);
        QCOMPARE(ini.ReadPrintFontName(), u"IPAGothic"_s);
        QCOMPARE(ini.ReadPrintFontSize(), 11);
        QList<int> indexes;
        withPrintDialog([&indexes](CKinzoPrintDialog* d) {
            indexes << d->OrientationCombo()->currentIndex() << d->ExpandCombo()->currentIndex();
        });
        QCOMPARE(indexes, (QList<int>{1, 2}));
        frame().RunCommand(CmdYearsView);
        QTRY_COMPARE(frame().ActiveFormId(), 144);
        indexes.clear();
        withPrintDialog([&indexes](CKinzoPrintDialog* d) {
            indexes << d->ReportList()->currentRow() << d->StartPicker()->date().year()
                    << d->EndPicker()->date().year();
        });
        QCOMPARE(indexes, (QList<int>{3, 2015, 2016}));
        frame().RunCommand(CmdListView);
        QTRY_COMPARE(frame().ActiveFormId(), 101);
    }

    void missingFontPrintsInAJapaneseFaceAndKeepsTheName()
    {
        f.App().m_iniFile.WritePrintFontName(u"MS UI Gothic"_s);
        QString face, shown;
        withPrintDialog([&](CKinzoPrintDialog* d) {
            face = d->Request().fontName;
            shown = d->FontEdit()->text();
        });
        QVERIFY2(QFontDatabase::families(QFontDatabase::Japanese).contains(face), qPrintable(face));
        QCOMPARE(shown, face + u" ; 11 pnt"_s);
        QCOMPARE(f.App().m_iniFile.ReadPrintFontName(), u"MS UI Gothic"_s);
    }

    void periodIsCheckedByTheReportsGranularity()
    {
        bool printerAsked = false;
        QList<QStringList> said;
        QList<bool> open;
        withPrintDialog([&](CKinzoPrintDialog* d) {
            choose(d, {2, QDate(2016, 5, 31), QDate(2016, 5, 1)});
            WhenModalOf<QPrintDialog>([&printerAsked](QPrintDialog* p) {
                printerAsked = true;
                p->reject();
            });
            f.messages.clear();
            d->OkButton()->click();
            said << f.messages;
            open << d->isVisible();
            for (int report : {0, 3}) {
                d->ReportList()->setCurrentRow(report);
                d->StartPicker()->setDate(QDate(2016, 5, 31));
                d->EndPicker()->setDate(report == 0 ? QDate(2016, 5, 1) : QDate(2015, 5, 1));
                f.messages.clear();
                d->OkButton()->click();
                said << f.messages;
                open << d->isVisible();
            }
        });
        QVERIFY(printerAsked);
        QCOMPARE(said, (QList<QStringList>{{}, {u"終了年月日が開始年月日より前になっています。"_s},
                                            {u"終了年が開始年より前になっています。"_s}}));
        QCOMPARE(open, (QList<bool>{true, true, true}));
    }

    void listReport_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::newRow("accounts across") << 0;
        QTest::newRow("accounts down") << 1;
    }
    void listReport()
    {
        QFETCH(int, orientation);
        int count = 0;
        const QStringList pages = printJob({0, QDate(2016, 4, 1), QDate(2016, 5, 31), orientation}, count);
        int down = 0, across = 0;
        checkPages(pages, u"リスト表示集計表　2016年04月01日～2016年05月31日"_s, down, across);
        QCOMPARE(count, int(pages.size()));
        QVERIFY(f.Heard().contains(u"印刷を実行しました。"_s));
        QVERIFY(pages.first().contains(u"日付"_s));
        QVERIFY(pages.first().contains(u"繰越"_s));
        QVERIFY(pages.first().contains(u"4月30日"_s));
        QVERIFY(anyPageHas(pages, u"5月25日"_s));
        QVERIFY(anyPageHas(pages, u"昼食"_s));
        // Carry-over 1,000; income 310,000, expense 4,700, balance 306,300.
        for (const QString& amount : {u"1,000"_s, u"310,000"_s, u"4,700"_s, u"306,300"_s})
            QVERIFY2(anyPageHas(pages, amount), qPrintable(amount));
        QVERIFY(pages.last().contains(u"合計"_s));
    }

    void dayReport_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::newRow("accounts across") << 0;
        QTest::newRow("accounts down") << 1;
    }
    void dayReport()
    {
        QFETCH(int, orientation);
        int count = 0;
        const QStringList pages = printJob({1, QDate(2016, 5, 1), QDate(2016, 5, 31), orientation}, count);
        int down = 0, across = 0;
        checkPages(pages, u"日表示集計表　2016年05月01日～2016年05月31日"_s, down, across);
        QCOMPARE(count, int(pages.size()));
        // 食費 4,200 and 支出 4,700 in May; 差額 295,300; 残高 from 11,000 to 306,300.
        for (const QString& amount : {u"4,200"_s, u"4,700"_s, u"11,000"_s, u"295,300"_s, u"306,300"_s})
            QVERIFY2(anyPageHas(pages, amount), qPrintable(amount));
        checkSummaryEnd(pages, orientation, down, across);
        // 1 May 2016 is a Sunday: its label prints red, as on screen.
        QVERIFY(redPixels(lastPdf()) > 20);
    }

    void monthReport_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::newRow("accounts across") << 0;
        QTest::newRow("accounts down") << 1;
    }
    void monthReport()
    {
        QFETCH(int, orientation);
        int count = 0;
        const QStringList pages = printJob({2, QDate(2016, 4, 15), QDate(2016, 6, 2), orientation}, count);
        int down = 0, across = 0;
        checkPages(pages, u"月表示集計表　2016年04月～2016年06月"_s, down, across);
        QCOMPARE(count, int(pages.size()));
        for (const QString& text : {u"2016年4月"_s, u"2016年6月"_s, u"310,000"_s, u"305,300"_s, u"306,300"_s})
            QVERIFY2(anyPageHas(pages, text), qPrintable(text));
        QVERIFY(!anyPageHas(pages, u"2016年7月"_s));
        checkSummaryEnd(pages, orientation, down, across);
    }

    void yearsReport_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::newRow("accounts across") << 0;
        QTest::newRow("accounts down") << 1;
    }
    void yearsReport()
    {
        QFETCH(int, orientation);
        int count = 0;
        const QStringList pages = printJob({3, QDate(2015, 1, 1), QDate(2016, 1, 1), orientation}, count);
        int down = 0, across = 0;
        checkPages(pages, u"年表示集計表　2015年～2016年"_s, down, across);
        QCOMPARE(count, int(pages.size()));
        // 差額 1,000 in 2015 and 305,300 in 2016; 残高 306,300.
        for (const QString& text : {u"2015年"_s, u"2016年"_s, u"1,000"_s, u"305,300"_s, u"306,300"_s})
            QVERIFY2(anyPageHas(pages, text), qPrintable(text));
        checkSummaryEnd(pages, orientation, down, across);
    }

    // Income and expense alone make a table of one sheet, and the question says so.
    void oneSheetTableAsksWithOne()
    {
        int count = 0;
        const QStringList pages = printJob({2, QDate(2016, 4, 1), QDate(2016, 6, 30), 0, 0}, count);
        QCOMPARE(int(pages.size()), 1);
        QVERIFY(f.messages.contains(u"印刷枚数は、1ページです。実行してよろしいですか？"_s));
        QVERIFY(pages.first().contains(u"305,300"_s));
    }

    // A large font runs the pages both across and down; the question names both counts.
    void pagesAcrossAndDownAreCountedInTheQuestion()
    {
        int count = 0;
        const QStringList pages = printJob({1, QDate(2016, 5, 1), QDate(2016, 5, 31), 0, 3, 28}, count);
        int down = 0, across = 0;
        checkPages(pages, u"日表示集計表　2016年05月01日～2016年05月31日"_s, down, across);
        QVERIFY(down > 1 && across > 1);
        QCOMPARE(count, int(pages.size()));
        QVERIFY(f.messages.contains(u"印刷枚数は、%1ページ（横最大%2ページ × 縦%3ページ）です。実行してよろしいですか？"_s
                                        .arg(down * across).arg(across).arg(down)));
    }

    void pageRangeOfThePrinterDialogIsHonoured()
    {
        int count = 0;
        const Job job{1, QDate(2016, 5, 1), QDate(2016, 5, 31), 1};
        const QStringList all = printJob(job, count);
        QVERIFY(all.size() >= 2);
        const QStringList second = printJob(job, count, 2, 2);
        QCOMPARE(second.size(), 1);
        QCOMPARE(second.first(), all[1]);
    }

    void failedPrintSaysSo()
    {
        bool open = false;
        f.messages.clear();
        f.ClearHeard();
        withPrintDialog([&](CKinzoPrintDialog* d) {
            choose(d, {2, QDate(2016, 4, 1), QDate(2016, 6, 30)});
            answerPrinterDialog(u"/proc/kinzo-report.pdf"_s);
            d->OkButton()->click();
            open = d->isVisible();
        });
        QVERIFY(f.messages.contains(u"印刷に失敗しました。"_s));
        QVERIFY(f.Heard().contains(u"印刷に失敗しました。"_s));
        QVERIFY(!f.Heard().contains(u"印刷を実行しました。"_s));
        QVERIFY(open);
    }

    void previewShowsThePrintedPages_data()
    {
        QTest::addColumn<int>("report");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("startMonth");
        QTest::newRow("list") << 0 << 0 << 1;
        QTest::newRow("days down") << 1 << 1 << 1;
        QTest::newRow("days across") << 1 << 0 << 1;
        QTest::newRow("fiscal years from April") << 3 << 1 << 4;
    }
    void previewShowsThePrintedPages()
    {
        QFETCH(int, report);
        QFETCH(int, orientation);
        QFETCH(int, startMonth);
        f.App().m_settingInfo.m_startMonth = startMonth;
        const Job job{report, QDate(2016, 4, 1), QDate(2016, 5, 31), orientation};
        int count = 0;
        const QStringList printed = printJob(job, count);
        QVERIFY(!printed.isEmpty());
        QStringList shown;
        QStringList captions;
        f.ClearHeard();
        withPrintDialog([&](CKinzoPrintDialog* d) {
            choose(d, job);
            WhenModalOf<CPrintPreviewDialog>([&](CPrintPreviewDialog* p) {
                QTest::qWaitFor([p] {
                    p->activateWindow();
                    return QApplication::activeWindow() == p;
                });
                shown << p->PageText();
                captions << p->PageCaption();
                keepPicture(p, u"preview_%1_%2"_s.arg(job.report).arg(job.orientation));
                for (int i = 1; i < p->PageCount(); ++i) {
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right, Qt::ControlModifier);
                    shown << p->PageText();
                    captions << p->PageCaption();
                }
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left, Qt::ControlModifier);
                captions << p->PageCaption();
                p->OkButton()->click();
            });
            d->findChild<QPushButton*>(u"1142"_s)->click();
        });
        QCOMPARE(shown.size(), printed.size());
        for (int i = 0; i < shown.size(); ++i) {
            QCOMPARE(captions[i], u"%1ページ／全%2ページ"_s.arg(i + 1).arg(printed.size()));
            for (const QString& text : shown[i].split(u'\n'))
                QVERIFY2(printed[i].contains(squeezed(text)), qPrintable(u"page %1: %2"_s.arg(i + 1).arg(text)));
            QVERIFY(f.Heard().contains(captions[i]));
        }
        if (printed.size() > 1) QCOMPARE(captions.last(), u"%1ページ／全%2ページ"_s.arg(printed.size() - 1).arg(printed.size()));
    }

    // Every figure and period label of the years report and of the year's
    // months, accounts across and down, with the fiscal year starting in
    // January, April and October, against sums over the booked entries.
    void fiscalReportsFollowTheStartMonth_data()
    {
        QTest::addColumn<int>("startMonth");
        QTest::addColumn<int>("report");
        QTest::addColumn<int>("orientation");
        for (int month : {1, 4, 10})
            for (int report : {2, 3})
                for (int orientation : {0, 1})
                    QTest::newRow(qPrintable(u"start %1, report %2, entry %3"_s.arg(month).arg(report).arg(orientation)))
                        << month << report << orientation;
    }
    void fiscalReportsFollowTheStartMonth()
    {
        QFETCH(int, startMonth);
        QFETCH(int, report);
        QFETCH(int, orientation);
        if (m_booked.size() < 10)
            for (const Booking& b : {Booking{QDate(2014, 3, 31), m_salary, 7000}, {QDate(2014, 4, 1), m_groceries, 800},
                                     {QDate(2014, 9, 30), m_fare, 230}, {QDate(2014, 10, 1), m_salary, 50000},
                                     {QDate(2017, 1, 15), m_eatOut, 4400}, {QDate(2017, 3, 31), m_salary, 2000},
                                     {QDate(2017, 4, 1), m_groceries, 600}})
                QVERIFY(book(b.date, b.item, b.amount));
        f.App().m_settingInfo.m_startMonth = startMonth;
        // The periods: fiscal years 2014 to 2017, or the twelve months of 2016's.
        QList<QDate> starts;
        QStringList labels;
        for (int i = 0; i < (report == 3 ? 4 : 12); ++i) {
            starts << (report == 3 ? QDate(2014 + i, startMonth, 1) : QDate(2016, startMonth, 1).addMonths(i));
            labels << (report == 2 ? starts.last().toString(u"yyyy年M月"_s)
                                   : u"%1%2"_s.arg(2014 + i).arg(startMonth == 1 ? u"年"_s : u"年度"_s));
        }
        const QDate end = starts.last().addMonths(report == 3 ? 12 : 1).addDays(-1);
        // The account lines in the table's order, each with the items it sums.
        const QList<QList<int>> lines{{m_salary}, {m_salary}, {m_groceries}, {m_eatOut}, {m_groceries, m_eatOut},
                                      {m_fare}, {m_groceries, m_eatOut, m_fare}};
        const int income = 1, expense = 6;
        qint64 balance = bookedSum({m_salary}, QDate(1900, 1, 1), starts.first().addDays(-1))
                         - bookedSum(lines[expense], QDate(1900, 1, 1), starts.first().addDays(-1));
        std::vector<QStringList> byLine(lines.size() + 2);
        byLine.back() << yen(balance);   // the carry-over, on the balance line only
        std::vector<qint64> totals(lines.size() + 1, 0);
        for (int p = 0; p < starts.size(); ++p) {
            const QDate last = p + 1 < starts.size() ? starts[p + 1].addDays(-1) : end;
            std::vector<qint64> column;
            for (const QList<int>& items : lines) column.push_back(bookedSum(items, starts[p], last));
            column.push_back(column[income] - column[expense]);
            balance += column.back();
            for (size_t i = 0; i < column.size(); ++i) {
                byLine[i] << yen(column[i]);
                totals[i] += column[i];
            }
            byLine.back() << yen(balance);
        }
        for (size_t i = 0; i < totals.size(); ++i) byLine[i] << yen(totals[i]);
        byLine.back() << yen(balance);
        // Accounts down: a printed line per account line; across: a line per column.
        QList<QStringList> expected;
        if (orientation == 1) {
            for (const QStringList& line : byLine) expected << line;
        } else {
            expected << QStringList{byLine.back().first()};
            for (int p = 0; p <= starts.size(); ++p) {
                QStringList row;
                for (size_t i = 0; i + 1 < byLine.size(); ++i) row << byLine[i][p];
                expected << (row << byLine.back()[p + 1]);
            }
        }

        const QDate pickStart = report == 3 ? QDate(2014, 1, 1) : starts.first();
        const QDate pickEnd = report == 3 ? QDate(2017, 1, 1) : starts.last();
        int count = 0;
        const QStringList pages = printJob({report, pickStart, pickEnd, orientation, 3, 6}, count);
        int down = 0, across = 0;
        const QString period = report == 3 ? labels.first() + u"～"_s + labels.last()
                                            : starts.first().toString(u"yyyy年MM月～"_s) + starts.last().toString(u"yyyy年MM月"_s);
        checkPages(pages, PrintReportName(report) + u"　"_s + period, down, across);
        QCOMPARE(down, 1);
        const QString printed = pages.join(QString());
        qsizetype at = 0;
        for (const QString& label : labels) {
            at = printed.indexOf(label, at);
            QVERIFY2(at >= 0, qPrintable(label));
        }
        QCOMPARE(amountRows(pdfText(lastPdf()), across > 1), expected);
    }
};

int main(int argc, char** argv)
{
    CKinzoApp app(argc, argv);
    TestPrintReports test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_print_reports.moc"
