// Printing to a real print queue: a cupsd of the test's own with a PDF queue
// that the stored settings name as "PrinterName". The month view's
// day table and the list report go through Ctrl+P and the printer dialog to the
// queue; the PDF the queue writes carries the sums worked out here from the
// entries booked. A stopped or removed queue makes the print fail, said so.

#include "kinzo/app/CMainFrame.h"
#include "kinzo/app/KinzoCommands.h"
#include "kinzo/dialogs/print/CKinzoPrintDialog.h"
#include "kinzo/dialogs/tests/LedgerAppFixture.h"
#include "kinzo/views/LedgerViews.h"
#include "kolib/CKoVDateTimeCtrl.h"

#include <QComboBox>
#include <QListWidget>
#include <QPrintDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestPrintQueue : public QObject {
    Q_OBJECT

    LedgerAppFixture f;
    QTemporaryDir cups;
    const QString queue = u"kinzo-pdf"_s;
    qint64 income = 0, expense = 0;

    QString socket() const { return cups.filePath(u"cups.sock"_s); }
    int cupsd(const QString& action)
    {
        return QProcess::execute(u"sh"_s, {QStringLiteral(PRIVATE_CUPSD), action, cups.path(), queue});
    }
    void admin(const QString& tool, const QStringList& args)
    {
        QProcess::execute(tool, QStringList{u"-h"_s, socket()} + args);
    }
    QString jobPdf() const { return cups.filePath(u"out/job.pdf"_s); }

    // Ctrl+P on the active view, the report (and period) chosen, and the printer
    // dialog accepted on the printer it was preset to; meanwhile runs first.
    QString print(int report, QDate start = {}, QDate end = {}, std::function<void()> meanwhile = {})
    {
        QString preset;
        f.messages.clear();
        f.ClearHeard();
        WhenModalOf<CKinzoPrintDialog>([&](CKinzoPrintDialog* d) {
            d->ReportList()->setCurrentRow(report);
            d->SetPrintFont(u"IPAGothic"_s, 10);
            if (start.isValid()) {
                d->StartPicker()->setDate(start);
                d->EndPicker()->setDate(end);
            }
            WhenModalOf<QPrintDialog>([&](QPrintDialog* p) {
                preset = p->findChild<QComboBox*>(u"printers"_s)->currentText();
                if (meanwhile) meanwhile();
                p->accept();
            });
            d->OkButton()->click();
            if (d->isVisible()) d->CancelButton()->click();
        });
        if (!QTest::qWaitFor([] { return QApplication::focusWidget() && !QApplication::activeModalWidget(); }))
            return {};
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
        return preset;
    }

    // The text of the PDF the queue wrote, once its job is done, spaces left out.
    QString printedText()
    {
        const auto idle = [this] {
            QProcess lpstat;
            lpstat.start(u"lpstat"_s, {u"-h"_s, socket(), u"-o"_s, queue});
            return lpstat.waitForFinished() && lpstat.readAll().trimmed().isEmpty();
        };
        if (!QTest::qWaitFor([&] { return QFile::exists(jobPdf()) && idle(); }, 120000)) return {};
        QProcess text;
        text.start(u"pdftotext"_s, {u"-enc"_s, u"UTF-8"_s, jobPdf(), u"-"_s});
        text.waitForFinished();
        const QRegularExpression space(u"\\s+"_s, QRegularExpression::UseUnicodePropertiesOption);
        return QString::fromUtf8(text.readAllStandardOutput()).remove(space);
    }

    void checkFailure()
    {
        QVERIFY(f.messages.contains(u"印刷に失敗しました。"_s));
        QVERIFY(!f.Heard().contains(u"印刷を実行しました。"_s));
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (cupsd(u"start"_s) == 77) QSKIP("private cupsd cannot start here (see the lines above)");
        QVERIFY2(QFile::exists(socket()), "private cupsd did not set up its queue");
        qputenv("CUPS_SERVER", socket().toUtf8());
        f.Start();
        RegisterLedgerViews();
        f.App().m_splashMinimumMs = 0;
        f.App().m_iniFile.WritePrinterName(queue);
        QVERIFY(f.App().InitInstance({}));
        QVERIFY(QTest::qWaitForWindowExposed(f.App().MainFrame()));
        f.App().MainFrame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.App().MainFrame()));
        QVERIFY(f.NewLedger());
        const int salary = f.AddAccount(f.Root(1)->m_data.ID, u"給与"_s);
        const int food = f.AddAccount(f.Root(2)->m_data.ID, u"食費"_s);
        const int fare = f.AddAccount(f.Root(2)->m_data.ID, u"交通費"_s);
        const QList<std::tuple<int, int, qint64>> entries{
            {3, food, 1234}, {12, fare, 780}, {12, food, 3456}, {25, salary, 254321}, {28, food, 987}};
        for (const auto& [day, account, amount] : entries) {
            QVERIFY(f.AddEntry(QDate(2016, 5, day), account, amount));
            (account == salary ? income : expense) += amount;
        }
        f.App().m_settingInfo.m_startMonth = 1;
        f.App().m_currentDate = QDate(2016, 5, 12);
    }

    void reportsArePrintedByTheQueue()
    {
        const QLocale figures(QLocale::English);
        f.App().MainFrame()->RunCommand(CmdMonthView);
        QTRY_COMPARE(f.App().MainFrame()->ActiveFormId(), 138);
        for (const auto& [report, title] : {std::pair{1, u"日表示集計表2016年05月01日"_s},
                                             std::pair{0, u"リスト表示集計表2016年05月01日"_s}}) {
            QFile::remove(jobPdf());
            QCOMPARE(print(report, QDate(2016, 5, 1), QDate(2016, 5, 31)), queue);
            QVERIFY(f.Heard().contains(u"印刷を実行しました。"_s));
            const QString text = printedText();
            QVERIFY2(text.contains(title), qPrintable(text));
            for (const qint64 sum : {income, expense, income - expense})
                QVERIFY2(text.contains(figures.toString(sum)), qPrintable(figures.toString(sum) + u" in "_s + text));
        }
    }

    void aStoppedOrRemovedQueueFails()
    {
        admin(u"cupsdisable"_s, {queue});
        print(1);
        checkFailure();
        admin(u"cupsenable"_s, {queue});
        print(1, {}, {}, [this] { admin(u"lpadmin"_s, {u"-x"_s, queue}); });
        checkFailure();
    }

    void cleanupTestCase() { cupsd(u"stop"_s); }
};

int main(int argc, char** argv)
{
    CKinzoApp app(argc, argv);
    TestPrintQueue test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_print_queue.moc"
