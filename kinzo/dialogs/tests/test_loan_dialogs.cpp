// Loans on real data files: the check list's remaining instalments (bonus
// months, repaid loans, a stored plan that cannot end), its modes, the entry
// dialog opened from it by keys, and the settings list with the register
// dialog's validation order, remaining amount and one loan per account.

#include "LedgerAppFixture.h"

#include "kinzo/dialogs/CExpenseAccountGroup.h"
#include "kinzo/dialogs/CKinzoDialog.h"
#include "kinzo/dialogs/loans/CLoanPaymentCheckDialog.h"
#include "kinzo/dialogs/loans/CLoanPaymentRegisterDialog.h"
#include "kinzo/dialogs/loans/CLoanPaymentSetteingsDialog.h"
#include "kinzo/dialogs/loans/LoanListMode.h"
#include "kolib/CKoIntegerEdit.h"
#include "kolib/CKoVListCtrl.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestLoanDialogs : public QObject {
    Q_OBJECT

    LedgerAppFixture f;
    const QDate m_today{2026, 5, 10};
    int m_loans = 0, m_car = 0, m_house = 0, m_school = 0, m_sofa = 0, m_old = 0;

    int addLoan(int itemId, int startMonth, qint64 total, qint64 monthly, int bonus1 = 0, int bonus2 = 0,
                qint64 bonus = 0)
    {
        _LoanData loan;
        loan.itemId = itemId;
        loan.total = total;
        loan.remaining = total;
        loan.monthly = monthly;
        loan.bonusMonth1 = bonus1;
        loan.bonusMonth2 = bonus2;
        loan.bonusAmount = bonus;
        loan.payDay = 27;
        loan.startMonth = startMonth > 12 ? QDate(2025, startMonth - 12, 1) : QDate(2026, startMonth, 1);
        return f.Doc().LoanTable().AddLoan(loan) == DbStatus::Ok ? loan.ID : 0;
    }
    static QStringList rowsOf(const CKoVListCtrl* list)
    {
        QStringList rows;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QStringList texts;
            for (int c = 0; c < list->columnCount(); ++c) texts << list->topLevelItem(i)->text(c);
            rows << texts.join(u'|');
        }
        return rows;
    }
    QString pressOk(QDialog* d)
    {
        f.messages.clear();
        d->accept();
        return f.messages.join(u'|');
    }
    static void set(CLoanPaymentRegisterDialog* d, int id, const QString& text) { d->Field(id)->setText(text); }

    // Alt+E, "登録(&E)", once the entry dialog has the keyboard; the dialog
    // is closed whatever came of it, so that no test waits on it.
    static void registerByKey(CKinzoDialog* entry)
    {
        if (QTest::qWaitForWindowActive(entry)) {
            QTest::keyClick(entry->focusWidget() ? entry->focusWidget() : entry, Qt::Key_E, Qt::AltModifier);
            (void)QTest::qWaitFor([entry] { return entry->Registered() != 0; });
        }
        entry->reject();
    }

private Q_SLOTS:
    void initTestCase() { f.Start(); }

    void init()
    {
        QVERIFY(f.NewLedger());
        m_loans = f.AddAccount(f.Root(2)->m_data.ID, u"ローン"_s);
        m_car = f.AddAccount(m_loans, u"車"_s);
        m_house = f.AddAccount(m_loans, u"住宅"_s);
        m_school = f.AddAccount(m_loans, u"教育"_s);
        m_sofa = f.AddAccount(m_loans, u"家具"_s);
        m_old = f.AddAccount(m_loans, u"旧契約"_s);
        f.messages.clear();
    }

    // Counted from May 2026, the month of "today", with no entry in it yet.
    void checkListCountsTheInstalmentsLeft()
    {
        addLoan(m_car, 1, 100000, 30000);                    // 30000 x 3 + 10000
        addLoan(m_house, 2, 100000, 20000, 6, 12, 50000);    // May 20000, June 50000, July and August
        addLoan(m_school, 3, 100000, 20000, 6, 0, 0);        // June's bonus of 0: the monthly 20000
        addLoan(m_sofa, 4, 50000, 10000);
        f.AddEntry(QDate(2026, 4, 27), m_sofa, 50000);
        QCOMPARE(f.Doc().LoanTable().RecomputeForItem(m_sofa, m_today), DbStatus::Ok);
        // Written by something other than the register dialog: no monthly
        // instalment, so no count, and the list does not hang.
        addLoan(m_old, 24, 30000, 0);

        CLoanPaymentCheckDialog d(nullptr, f.Doc(), LoanListAll, m_today);
        f.ClearHeard();
        d.show();
        // The count, then the row the list opens on.
        QCOMPARE(f.Heard(), (QStringList{u"リスト件数は5件です。"_s,
                                         d.List()->ItemSpeech(d.List()->FirstSelected())}));
        QCOMPARE(rowsOf(d.List()), QStringList({u"旧契約|2025年12月|30000|0||30000"_s,
                                                u"車|2026年 1月|100000|30000|4|100000"_s,
                                                u"住宅|2026年 2月|100000|20000|4|100000"_s,
                                                u"教育|2026年 3月|100000|20000|5|100000"_s,
                                                u"家具|2026年 4月|50000|10000|0|0"_s}));
        d.SetMode(LoanListOwing);
        QCOMPARE(d.Rows().size(), 4);
        QVERIFY(std::none_of(d.Rows().begin(), d.Rows().end(), [](const _LoanCheckRow& r) { return r.name == u"家具"_s; }));
        QCOMPARE(f.App().m_iniFile.ReadLoanPaymentDisp(), 1);
        f.ClearHeard();
        d.SetMode(LoanListRepaid);
        QCOMPARE(rowsOf(d.List()), QStringList{u"家具|2026年 4月|50000|10000|0|0"_s});
        QCOMPARE(f.Heard(), QStringList{u"リスト件数は1件です。"_s});
        QVERIFY(d.findChild<QAction*>(u"33019"_s)->isChecked());
    }

    // Enter on a loan books the month's instalment; the list then counts
    // from the next month.
    void enterOnALoanBooksTheInstalmentAndTheCountDrops()
    {
        addLoan(m_car, 1, 100000, 30000);
        addLoan(m_house, 2, 100000, 20000, 6, 12, 50000);
        CLoanPaymentCheckDialog d(nullptr, f.Doc(), LoanListOwing, m_today);
        d.show();
        d.List()->setFocus();
        QDate shownDate;
        QString shownAmount;
        int shownAccount = 0;
        WhenModalOf<CKinzoDialog>([&](CKinzoDialog* entry) {
            shownDate = entry->findChild<QDateEdit*>(u"1026"_s)->date();
            shownAmount = entry->findChild<CKoIntegerEdit*>(u"1011"_s)->text();
            shownAccount = entry->Chain().SelectedAccountId();
            registerByKey(entry);
        });
        f.ClearHeard();
        QTest::keyClick(d.List(), Qt::Key_Return);
        QCOMPARE(shownDate, QDate(2026, 5, 27));
        QCOMPARE(shownAmount, u"30000"_s);
        QCOMPARE(shownAccount, m_car);
        QVERIFY2(f.messages.isEmpty(), qPrintable(f.messages.join(u'|')));
        const QStringList heard = f.Heard();
        QCOMPARE(heard.mid(heard.size() - 2),
                 QStringList({u"リスト件数は2件です。"_s,
                              u"科目名 車 開始年月 2026年 1月 総返済額 100000 月返済額 30000 残り回数 3 残額 70000"_s}));

        // The house loan from June: 50000, 20000, then 10000 in August.
        QTest::keyClick(d.List(), Qt::Key_Down);
        WhenModalOf<CKinzoDialog>([&](CKinzoDialog* entry) {
            shownAmount = entry->findChild<CKoIntegerEdit*>(u"1011"_s)->text();
            entry->findChild<CKoIntegerEdit*>(u"1011"_s)->setText(u"20000"_s);
            entry->Register();
            entry->reject();
        });
        QTest::keyClick(d.List(), Qt::Key_Return);
        QCOMPARE(shownAmount, u"20000"_s);
        QCOMPARE(rowsOf(d.List()).last(), u"住宅|2026年 2月|100000|20000|3|80000"_s);
    }

    void registerDialogChecksInOrderAndSubtractsTheEntriesSinceItsFirstMonth()
    {
        f.AddEntry(QDate(2026, 3, 31), m_car, 5000);
        f.AddEntry(QDate(2026, 4, 2), m_car, 7000);
        CLoanPaymentRegisterDialog d(nullptr, f.Doc());
        d.show();
        QCOMPARE(d.windowTitle(), u"ローン設定登録"_s);
        QCOMPARE(SharedMnemonics(d), QStringList());
        QStringList steps;
        steps << pressOk(&d);
        d.Account().Chain().SelectAccount(m_loans);
        steps << pressOk(&d);
        d.Account().Chain().SelectAccount(m_car);
        steps << pressOk(&d);
        set(&d, 1188, u"120000"_s);
        steps << pressOk(&d);
        set(&d, 1011, u"0"_s);
        steps << pressOk(&d);
        set(&d, 1011, u"10000"_s);
        steps << pressOk(&d);
        set(&d, 1068, u"27"_s);
        set(&d, 1062, u"13"_s);
        steps << pressOk(&d);
        set(&d, 1062, QString());
        d.findChild<QDateEdit*>(u"1069"_s)->setDate(QDate(2026, 4, 1));
        steps << pressOk(&d);
        QCOMPARE(steps, QStringList({u"科目が選択されていません。"_s, u"最下位の科目まで選択してください。"_s,
                                     u"総返済額が入力されていません。"_s, u"月返済額が入力されていません。"_s,
                                     u"月返済額には1以上の金額を入力してください。"_s, u"支払日が入力されていません。"_s,
                                     u"1から12の間の数値を指定してください。"_s, QString()}));
        QCOMPARE(d.result(), int(QDialog::Accepted));
        _LoanData stored;
        QCOMPARE(f.Doc().LoanTable().GetLoan(d.Loan().ID, stored), DbStatus::Ok);
        QCOMPARE(stored.remaining, 113000);   // the March entry is before the first month
        QCOMPARE(stored.startMonth, QDate(2026, 4, 1));
        QCOMPARE(stored.bonusMonth1, 0);
        QVERIFY(!stored.endMonth.isValid());

        CLoanPaymentRegisterDialog again(nullptr, f.Doc());
        again.show();
        again.Account().Chain().SelectAccount(m_car);
        set(&again, 1188, u"1"_s);
        set(&again, 1011, u"1"_s);
        set(&again, 1068, u"1"_s);
        QCOMPARE(pressOk(&again), u"この科目はすでに登録されています。"_s);
        QVERIFY(again.isVisible());

        CLoanPaymentRegisterDialog change(nullptr, f.Doc(), stored);
        change.show();
        QCOMPARE(change.windowTitle(), u"ローン設定変更"_s);
        QCOMPARE(change.Account().Chain().SelectedAccountId(), m_car);
        QCOMPARE(change.Field(1188)->text(), u"120000"_s);
        QCOMPARE(change.Field(1062)->text(), QString());
        QCOMPARE(change.Field(1068)->text(), u"27"_s);
        set(&change, 1062, u"12"_s);
        set(&change, 1063, u"30000"_s);
        QCOMPARE(pressOk(&change), QString());
        QCOMPARE(f.Doc().LoanTable().GetLoan(stored.ID, stored), DbStatus::Ok);
        QCOMPARE(stored.bonusMonth1, 12);
        QCOMPARE(stored.bonusAmount, 30000);
    }

    void settingsListAddsChangesDeletesAndFollowsItsMode()
    {
        addLoan(m_house, 2, 100000, 20000);
        CLoanPaymentSetteingsDialog d(nullptr, f.Doc(), LoanListAll);
        f.ClearHeard();
        d.show();
        // The count, then the row the list opens on.
        QCOMPARE(f.Heard(), (QStringList{u"リスト件数は1件です。"_s,
                                         d.List()->ItemSpeech(d.List()->FirstSelected())}));
        QStringList steps;
        WhenModalOf<CLoanPaymentRegisterDialog>([&](CLoanPaymentRegisterDialog* r) {
            r->Account().Chain().SelectAccount(m_car);
            set(r, 1188, u"60000"_s);
            set(r, 1011, u"5000"_s);
            set(r, 1068, u"10"_s);
            r->findChild<QDateEdit*>(u"1069"_s)->setDate(QDate(2026, 3, 1));
            r->findChild<QCheckBox*>(u"1064"_s)->setChecked(true);
            steps << pressOk(r);
        });
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QTest::keyClick(d.List(), Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(steps, QStringList{QString()});
        QCOMPARE(rowsOf(d.List()), QStringList({u"住宅|100000|20000|2026年 2月|なし"_s, u"車|60000|5000|2026年 3月|あり"_s}));
        QCOMPARE(d.List()->currentItem()->text(0), u"車"_s);

        // Enter changes the selected loan.
        WhenModalOf<CLoanPaymentRegisterDialog>([&](CLoanPaymentRegisterDialog* r) {
            set(r, 1011, u"6000"_s);
            steps << pressOk(r);
        });
        QTest::keyClick(d.List(), Qt::Key_Return);
        QCOMPARE(rowsOf(d.List()).last(), u"車|60000|6000|2026年 3月|あり"_s);

        f.ClearHeard();
        d.SetMode(LoanListRepaid);
        QCOMPARE(d.List()->topLevelItemCount(), 0);
        QCOMPARE(f.Heard(), QStringList{u"リスト件数は0件です。"_s});
        QCOMPARE(f.App().m_iniFile.ReadLoanPaymentDisp(), 2);
        d.SetMode(LoanListOwing);
        QCOMPARE(d.List()->topLevelItemCount(), 2);

        f.answers = {KoAnswer::Cancel};
        d.OnDelete();
        QCOMPARE(f.messages.last(), u"科目 住宅 の分割支払を削除します。よろしいですか？"_s);
        QCOMPARE(d.List()->topLevelItemCount(), 2);
        d.OnDelete();
        QCOMPARE(rowsOf(d.List()), QStringList{u"車|60000|6000|2026年 3月|あり"_s});
        QList<_LoanData> left;
        QCOMPARE(f.Doc().LoanTable().SelectLoans(CTableLoan::SelectAll, left), DbStatus::Ok);
        QCOMPARE(left.size(), 1);
        d.SetMode(LoanListAll);
    }

    // KINZO_SCREENSHOT_DIR keeps the pictures for a look.
    void dialogsDrawAtSizes9And22()
    {
        const int id = addLoan(m_house, 2, 100000, 20000, 6, 12, 50000);
        addLoan(m_car, 1, 100000, 30000);
        _LoanData house;
        QCOMPARE(f.Doc().LoanTable().GetLoan(id, house), DbStatus::Ok);
        const QString folder = qEnvironmentVariable("KINZO_SCREENSHOT_DIR");
        for (int size : {9, 22}) {
            f.App().m_settingInfo.SetFontSize(size);
            std::vector<std::pair<QString, std::unique_ptr<QDialog>>> dialogs;
            dialogs.emplace_back(u"loan_check"_s, new CLoanPaymentCheckDialog(nullptr, f.Doc(), LoanListAll, m_today));
            dialogs.emplace_back(u"loan_settings"_s, new CLoanPaymentSetteingsDialog(nullptr, f.Doc(), LoanListAll));
            dialogs.emplace_back(u"loan_register"_s, new CLoanPaymentRegisterDialog(nullptr, f.Doc(), house));
            for (const auto& [name, dialog] : dialogs) {
                dialog->show();
                const QImage shot = dialog->grab().toImage();
                QVERIFY(!shot.isNull());
                if (!folder.isEmpty()) shot.save(QDir(folder).filePath(u"%1_%2.png"_s.arg(name).arg(size)));
                dialog->hide();
            }
        }
        f.App().m_settingInfo.SetFontSize(9);
    }
};

int main(int argc, char** argv)
{
    CKinzoApp app(argc, argv);
    TestLoanDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_loan_dialogs.moc"
