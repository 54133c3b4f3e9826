// Recurring payments on real data files: the check list by month (validity
// of the accounts, due dates through the shipped holiday calendar, the paid
// row's newest entry, the modes), the entry dialog opened from it by keys,
// the start-up reminder giving the same dates, and the settings list with
// both register dialogs and their validation order.

#include "LedgerAppFixture.h"

#include "CMainFrame.h"
#include "CStartupReminder.h"
#include "KinzoCommands.h"
#include "kinzo/dialogs/DialogCommands.h"
#include "kinzo/dialogs/loans/CLoanPaymentCheckDialog.h"
#include "kinzo/dialogs/loans/CLoanPaymentSetteingsDialog.h"
#include "kinzo/dialogs/CKinzoDialog.h"
#include "kinzo/dialogs/CExpenseAccountGroup.h"
#include "kinzo/dialogs/payments/CPaymentCheckDialog.h"
#include "kinzo/dialogs/payments/CPaymentRegisterDialog.h"
#include "kinzo/dialogs/payments/CPaymentRegisterVer0Dialog.h"
#include "kinzo/dialogs/payments/CPaymentSetteingsDialog.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/CKoIntegerEdit.h"
#include "kolib/CKoVListCtrl.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestPaymentDialogs : public QObject {
    Q_OBJECT

    LedgerAppFixture f;
    int m_house = 0, m_rent = 0, m_water = 0, m_club = 0;

    int addPayment(int itemId, int day, int rule, int announce = 1)
    {
        _PaymentData p;
        p.itemId = itemId;
        p.payDay = day;
        p.announce = announce;
        p.start = QDate(2026, 1, 1);
        p.end = QDate(2026, 12, 31);
        p.months.fill(1);
        p.holidayRule = rule;
        return f.Doc().PaymentTable().AddPayment(p) == DbStatus::Ok ? p.ID : 0;
    }
    static QStringList listRows(const CKoVListCtrl* list)
    {
        QStringList rows;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QStringList texts;
            for (int c = 0; c < list->columnCount(); ++c) texts << list->topLevelItem(i)->text(c);
            rows << texts.join(u' ');
        }
        return rows;
    }
    // Presses OK and returns the message it gave ("" when none).
    QString pressOk(QDialog* d)
    {
        f.messages.clear();
        d->accept();
        return f.messages.join(u'|');
    }
    template <class Dialog>
    static void setDay(Dialog* d, const QString& day)
    {
        d->template findChild<CKoIntegerEdit*>(u"1068"_s)->setText(day);
    }
    // Alt + key in a dialog shown without a modal loop of its own.
    static void altKey(CRecordListDialog& d, Qt::Key key)
    {
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QTest::keyClick(d.List(), key, Qt::AltModifier);
    }
    static QStringList checkedMonths(const QDialog* d)
    {
        QStringList months;
        const auto* list = d->findChild<CKoVListCtrl*>(u"1150"_s);
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->checkState(0) == Qt::Checked) months << list->topLevelItem(i)->text(0);
        return months;
    }
    static void choosePreset(QDialog* d, int preset)
    {
        auto* combo = d->findChild<CKoVComboBox*>(u"1052"_s);
        combo->setCurrentIndex(preset);
        Q_EMIT combo->activated(preset);
    }
    static QStringList rowsOf(const CPaymentCheckDialog& d)
    {
        QStringList rows;
        for (const _PaymentCheckRow& row : d.Rows()) rows << row.name + u' ' + row.dateText + u' ' + row.stateText;
        return rows;
    }

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
    void initTestCase()
    {
        f.Start();
        RegisterDialogCommands();
    }

    void init()
    {
        QVERIFY(f.NewLedger());
        m_house = f.AddAccount(f.Root(2)->m_data.ID, u"住居"_s);
        m_rent = f.AddAccount(m_house, u"家賃"_s);
        m_water = f.AddAccount(m_house, u"水道"_s);
        // A club left at the end of January.
        m_club = f.AddAccount(f.Root(2)->m_data.ID, u"会費"_s, QDate(2026, 1, 31));
        f.messages.clear();
    }

    // January 2026: Sunday the 11th lies before the Monday holiday of the
    // 12th, and the 31st is a Saturday; 11 February is a holiday (Wednesday).
    void checkListMovesDueDatesAndFollowsValidityAndEntries()
    {
        addPayment(m_rent, 11, HolidayRuleBefore);
        addPayment(m_water, 11, HolidayRuleAfter);
        addPayment(m_club, 31, HolidayRuleKeep);
        CPaymentCheckDialog d(nullptr, f.Doc(), QDate(2026, 1, 20), PaymentCheckAll);
        f.ClearHeard();
        d.show();
        QCOMPARE(rowsOf(d), QStringList({u"家賃 1月9日 未払い"_s, u"水道 1月13日 未払い"_s, u"会費 2月2日 未払い"_s}));
        QCOMPARE(d.List()->accessibleName(), u"支払確認"_s);   // named by its window
        // The count, then the row the list opens on.
        QCOMPARE(f.Heard(), (QStringList{u"リスト件数は3件です。"_s,
                                         d.List()->ItemSpeech(d.List()->FirstSelected())}));

        // Two water entries: the later one shows; the club has left by February.
        f.AddEntry(QDate(2026, 2, 3), m_water, 3000);
        f.AddEntry(QDate(2026, 2, 16), m_water, 3100);
        d.findChild<QDateEdit*>(u"1026"_s)->setDate(QDate(2026, 2, 1));
        QCOMPARE(rowsOf(d), QStringList({u"家賃 2月10日 未払い"_s, u"水道 2月16日 支払済み"_s}));
        QCOMPARE(d.Rows().at(1).entryId, f.EntriesOf(QDate(2026, 2, 16), QDate(2026, 2, 16)).first().ID);

        d.SetMode(PaymentCheckPaid);
        QCOMPARE(rowsOf(d), QStringList{u"水道 2月16日 支払済み"_s});
        QCOMPARE(f.App().m_iniFile.ReadPaymentDisp(), 2);
        f.ClearHeard();
        d.findChild<QDateEdit*>(u"1026"_s)->setDate(QDate(2026, 1, 1));
        QCOMPARE(rowsOf(d), QStringList());
        QCOMPARE(f.Heard(), QStringList{u"リスト件数は0件です。"_s});
        d.findChild<QDateEdit*>(u"1026"_s)->setDate(QDate(2026, 2, 1));
        d.SetMode(PaymentCheckOpen);
        QCOMPARE(rowsOf(d), QStringList{u"家賃 2月10日 未払い"_s});
        QVERIFY(d.findChild<QAction*>(u"32989"_s)->isChecked());
        d.SetMode(PaymentCheckAll);
    }

    void dayPastTheMonthEndAndGoldenWeekAreCrossed()
    {
        addPayment(m_rent, 31, HolidayRuleBefore);
        addPayment(m_water, 3, HolidayRuleAfter);
        CPaymentCheckDialog d(nullptr, f.Doc(), QDate(2026, 2, 1), PaymentCheckAll);
        d.show();
        // Saturday 28 February, the month's last day, moves to Friday the 27th.
        QCOMPARE(rowsOf(d).first(), u"家賃 2月27日 未払い"_s);
        d.findChild<QDateEdit*>(u"1026"_s)->setDate(QDate(2026, 5, 1));
        QCOMPARE(rowsOf(d).last(), u"水道 5月7日 未払い"_s);

        // "11" typed into the month lists November once, not January first.
        auto* picker = d.findChild<QDateEdit*>(u"1026"_s);
        picker->setFocus(Qt::TabFocusReason);
        QTest::keyClick(picker, Qt::Key_Right);
        f.ClearHeard();
        QTest::keyClicks(picker, u"11"_s);
        QCOMPARE(picker->date().month(), 11);
        // A list of January on the way would have been counted before this one.
        QTRY_VERIFY(rowsOf(d).last().startsWith(u"水道 11月"_s));
        QCOMPARE(f.Heard().filter(u"リスト件数は"_s).size(), 1);
    }

    // The reminder at start-up names the same days as the list.
    void startupReminderGivesTheCheckListsDates()
    {
        addPayment(m_rent, 11, HolidayRuleBefore);
        addPayment(m_water, 3, HolidayRuleAfter);
        CHolidayFile holidays;
        holidays.SetFolder(f.App().m_programFolder);
        QCOMPARE(holidays.Load(2026), 1);
        for (const QDate& month : {QDate(2026, 1, 1), QDate(2026, 5, 1)}) {
            CStartupReminder reminder(f.Doc().PaymentTable(), f.Doc().LoanTable(), f.Doc().AccountItems(), holidays,
                                      31, month);
            QString lines, failure;
            QVERIFY(reminder.PaymentLines(lines, failure));
            CPaymentCheckDialog d(nullptr, f.Doc(), month, PaymentCheckOpen);
            d.show();
            QString expected;
            for (const _PaymentCheckRow& row : d.Rows())
                expected += u"%1の支払い日は%2です。\r\n"_s.arg(row.name, row.dateText);
            QCOMPARE(lines, expected);
            // Sunday 3 May is followed by three holidays.
            if (month.month() == 5) QCOMPARE(d.Rows().last().dateText, u"5月7日"_s);
            QCOMPARE(d.Rows().size(), 2);
        }
    }

    // What a user does: F5 brings the list, Enter on an open payment opens
    // the entry dialog with the account, the due date and the amount paid
    // last time; registering it turns the row paid.
    void enterOnAnOpenPaymentBooksItAndTheRowTurnsPaid()
    {
        addPayment(m_rent, 11, HolidayRuleBefore);
        addPayment(m_water, 11, HolidayRuleAfter);
        f.AddEntry(QDate(2025, 12, 12), m_water, 2980);
        CPaymentCheckDialog d(nullptr, f.Doc(), QDate(2026, 1, 5), PaymentCheckAll);
        f.ClearHeard();
        d.show();
        // The count, then the row the list opens on.
        QCOMPARE(f.Heard(), (QStringList{u"リスト件数は2件です。"_s,
                                         d.List()->ItemSpeech(d.List()->FirstSelected())}));
        auto* list = d.findChild<CKoVListCtrl*>(u"1000"_s);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(f.Heard().last(), u"科目名 水道 支払日 1月13日 状態 未払い"_s);

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
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(shownDate, QDate(2026, 1, 13));
        QCOMPARE(shownAmount, u"2980"_s);
        QCOMPARE(shownAccount, m_water);
        const QList<_ViewEntry> booked = f.EntriesOf(QDate(2026, 1, 13), QDate(2026, 1, 13));
        QCOMPARE(booked.size(), 1);
        QCOMPARE(booked.first().amount, 2980);
        const QStringList heard = f.Heard();
        QVERIFY2(heard.contains(u"新規登録しました。"_s), qPrintable(heard.join(u'|')));
        // The count, then the row the cursor stayed on, now paid.
        QCOMPARE(heard.mid(heard.size() - 2),
                 QStringList({u"リスト件数は2件です。"_s, u"科目名 水道 支払日 1月13日 状態 支払済み"_s}));

        // Enter on the paid row shows that entry in change mode.
        int changedId = 0;
        WhenModalOf<CKinzoDialog>([&](CKinzoDialog* entry) {
            changedId = entry->GetMode() == CKinzoDialog::ChangeMode ? entry->Entry().ID : -1;
            entry->reject();
        });
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(changedId, booked.first().ID);
    }

    void fullRegisterDialogChecksInOrderAndStoresOnePaymentPerAccount()
    {
        CPaymentSetteingsDialog settings(nullptr, f.Doc());
        f.ClearHeard();
        settings.show();
        QCOMPARE(f.Heard(), QStringList{u"リスト件数は0件です。"_s});
        const int year = QDate::currentDate().year();
        QStringList steps;
        WhenModalOf<CPaymentRegisterDialog>([&](CPaymentRegisterDialog* d) {
            QCOMPARE(d->windowTitle(), u"支払い設定登録"_s);
            QCOMPARE(d->findChild<QDateEdit*>(u"1026"_s)->date(), QDate(year, 1, 1));
            QCOMPARE(d->findChild<QDateEdit*>(u"1164"_s)->date(), QDate(year, 12, 31));
            QCOMPARE(checkedMonths(d).size(), 12);
            QCOMPARE(d->findChild<CKoVComboBox*>(u"1067"_s)->currentText(), u"直前の平日に変更する"_s);
            QCOMPARE(d->Account().Chain().Text(0), u"支出"_s);
            steps << pressOk(d);
            d->Account().Chain().SelectAccount(m_house);
            steps << pressOk(d);
            d->Account().Chain().SelectAccount(m_rent);
            steps << pressOk(d);
            setDay(d, u"30"_s);
            f.answers = {KoAnswer::Cancel};
            steps << pressOk(d);
            QVERIFY(d->isVisible());
            choosePreset(d, 3);
            QCOMPARE(checkedMonths(d), QStringList());
            steps << pressOk(d);
            choosePreset(d, 1);
            QCOMPARE(checkedMonths(d), QStringList({u"1月"_s, u"3月"_s, u"5月"_s, u"7月"_s, u"9月"_s, u"11月"_s}));
            choosePreset(d, 2);
            QCOMPARE(checkedMonths(d).first(), u"2月"_s);
            choosePreset(d, 1);
            // The month list reached by Tab says the month its focus marks, unselected; Space toggles it.
            auto* months = d->findChild<CKoVListCtrl*>(u"1150"_s);
            f.ClearHeard();
            months->setFocus(Qt::TabFocusReason);
            for (int press = 0; press < 2; ++press) QTest::keyClick(months, Qt::Key_Space);
            QCOMPARE(f.Heard(), QStringList({u"設定月 1月 チェックあり "_s, u"設定月 1月 チェックなし "_s,
                                             u"設定月 1月 チェックあり "_s}));
            d->findChild<CKoVComboBox*>(u"1067"_s)->setCurrentIndex(2);
            steps << pressOk(d);
        });
        QTest::mouseClick(settings.findChild<QPushButton*>(u"1001"_s), Qt::LeftButton);
        const QString question =
            u"支払日が29日から31日の場合、月によっては、\n支払日のメッセージを表示することができませんが、それでよろしいですか？"_s;
        QCOMPARE(steps, QStringList({u"科目が選択されていません。"_s, u"最下位の科目まで選択してください。"_s,
                                     u"支払日が設定されていません。"_s, question,
                                     question + u"|月が設定されていません。"_s, question}));
        QCOMPARE(listRows(settings.List()), QStringList{u"家賃 なし"_s});
        QList<_PaymentData> stored;
        QCOMPARE(f.Doc().PaymentTable().GetAllPayments(stored), DbStatus::Ok);
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored[0].payDay, 30);
        QCOMPARE(stored[0].monthFlag, 1);
        QCOMPARE(stored[0].months, (std::array<int, 12>{1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0}));
        QCOMPARE(stored[0].holidayRule, 2);
        QCOMPARE(stored[0].end, QDate(year, 12, 31));

        // A second payment for the rent is refused; the dialog stays open.
        WhenModalOf<CPaymentRegisterDialog>([&](CPaymentRegisterDialog* d) {
            d->Account().Chain().SelectAccount(m_rent);
            setDay(d, u"5"_s);
            steps = {pressOk(d)};
            QVERIFY(d->isVisible());
            d->reject();
        });
        // A mnemonic clicks its button a moment later.
        altKey(settings, Qt::Key_A);
        QTRY_COMPARE(steps, QStringList{u"この科目はすでに登録されています。"_s});
        QCOMPARE(settings.List()->topLevelItemCount(), 1);

        // Enter on the row changes it.
        WhenModalOf<CPaymentRegisterDialog>([&](CPaymentRegisterDialog* d) {
            QCOMPARE(d->windowTitle(), u"支払い設定変更"_s);
            QCOMPARE(d->findChild<CKoIntegerEdit*>(u"1068"_s)->text(), u"30"_s);
            QCOMPARE(d->findChild<CKoVComboBox*>(u"1052"_s)->currentText(), u"奇数月"_s);
            QCOMPARE(d->Account().Chain().SelectedAccountId(), m_rent);
            setDay(d, u"27"_s);
            d->findChild<QCheckBox*>(u"1064"_s)->setChecked(true);
            steps = {pressOk(d)};
        });
        settings.List()->setFocus();
        QTest::keyClick(settings.List(), Qt::Key_Return);
        QCOMPARE(steps, QStringList{QString()});
        QCOMPARE(listRows(settings.List()), QStringList{u"家賃 あり"_s});
        QCOMPARE(f.Doc().PaymentTable().GetPayment(stored[0].ID, stored[0]), DbStatus::Ok);
        QCOMPARE(stored[0].payDay, 27);
        QCOMPARE(stored[0].announce, 1);

        // Delete asks; Cancel keeps the payment.
        f.messages.clear();
        f.answers = {KoAnswer::Cancel};
        altKey(settings, Qt::Key_D);
        QTRY_COMPARE(f.messages, QStringList{u"科目 家賃 の支払確認設定を削除します。よろしいですか？"_s});
        QCOMPARE(settings.List()->topLevelItemCount(), 1);
        altKey(settings, Qt::Key_D);
        QTRY_COMPARE(settings.List()->topLevelItemCount(), 0);
        QCOMPARE(f.Doc().PaymentTable().GetAllPayments(stored), DbStatus::Ok);
        QVERIFY(stored.isEmpty());
    }

    // The basic dialog's payments have no period: they are stored unset and
    // come due every month.
    void basicRegisterDialogStoresAPaymentWithoutPeriod()
    {
        CPaymentRegisterVer0Dialog d(nullptr, f.Doc());
        d.show();
        QCOMPARE(d.windowTitle(), u"支払い設定登録"_s);
        QStringList steps;
        steps << pressOk(&d);
        d.Account().Chain().SelectAccount(m_house);
        steps << pressOk(&d);
        d.Account().Chain().SelectAccount(m_water);
        steps << pressOk(&d);
        setDay(&d, u"25"_s);
        steps << pressOk(&d);
        QCOMPARE(steps, QStringList({u"科目が選択されていません。"_s, u"最下位の科目まで選択してください。"_s,
                                     u"支払日が設定されていません。"_s, QString()}));
        QCOMPARE(d.result(), int(QDialog::Accepted));
        _PaymentData stored;
        QCOMPARE(f.Doc().PaymentTable().GetPayment(d.Payment().ID, stored), DbStatus::Ok);
        QCOMPARE(stored.payDay, 25);
        QVERIFY(!stored.start.isValid());
        QVERIFY(!stored.end.isValid());

        CPaymentRegisterVer0Dialog again(nullptr, f.Doc());
        again.show();
        again.Account().Chain().SelectAccount(m_water);
        setDay(&again, u"3"_s);
        QCOMPARE(pressOk(&again), u"この科目はすでに登録されています。"_s);
        QVERIFY(again.isVisible());

        CPaymentCheckDialog check(nullptr, f.Doc(), QDate(2026, 3, 1), PaymentCheckAll);
        check.show();
        QCOMPARE(rowsOf(check), QStringList{u"水道 3月25日 未払い"_s});
    }

    // F5 and F6 of the main window, and the two settings commands of its menu.
    void mainWindowOpensTheChecksByKeyAndTheSettingsByCommand()
    {
        addPayment(m_rent, 11, HolidayRuleBefore);
        CMainFrame frame(f.App());
        QVERIFY(frame.Create());
        f.App().m_currentDate = QDate(2026, 1, 20);
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        for (int id : {int(CmdPaymentCheck), int(CmdLoanCheck), int(CmdPaymentSettings), int(CmdLoanSettings)})
            QVERIFY2(frame.IsCommandEnabled(id), qPrintable(QString::number(id)));
        QStringList opened;
        WhenModalOf<CPaymentCheckDialog>([&](CPaymentCheckDialog* d) {
            opened << rowsOf(*d);
            d->reject();
        });
        QTest::keyClick(&frame, Qt::Key_F5);
        QTRY_COMPARE(opened, QStringList{u"家賃 1月9日 未払い"_s});
        WhenModalOf<CLoanPaymentCheckDialog>([&](CLoanPaymentCheckDialog* d) {
            opened << d->windowTitle();
            d->reject();
        });
        QTRY_VERIFY(!QApplication::activeModalWidget());
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        QTest::keyClick(&frame, Qt::Key_F6);
        QTRY_COMPARE(opened.size(), 2);
        WhenModalOf<CPaymentSetteingsDialog>([&](CPaymentSetteingsDialog* d) {
            opened << d->windowTitle();
            d->reject();
        });
        QVERIFY(frame.RunCommand(CmdPaymentSettings));
        WhenModalOf<CLoanPaymentSetteingsDialog>([&](CLoanPaymentSetteingsDialog* d) {
            opened << d->windowTitle();
            d->reject();
        });
        QVERIFY(frame.RunCommand(CmdLoanSettings));
        QCOMPARE(opened, QStringList({u"家賃 1月9日 未払い"_s, u"ローン残確認"_s, u"支払設定"_s, u"ローン設定"_s}));
        frame.close();
    }

    // KINZO_SCREENSHOT_DIR keeps the pictures for a look.
    void dialogsDrawAtSizes9And22()
    {
        addPayment(m_rent, 11, HolidayRuleBefore);
        addPayment(m_water, 11, HolidayRuleAfter);
        f.AddEntry(QDate(2026, 1, 13), m_water, 3000);
        _PaymentData rent;
        QCOMPARE(f.Doc().PaymentTable().GetPayment(1, rent), DbStatus::Ok);
        const QString folder = qEnvironmentVariable("KINZO_SCREENSHOT_DIR");
        for (int size : {9, 22}) {
            f.App().m_settingInfo.SetFontSize(size);
            std::vector<std::pair<QString, std::unique_ptr<QDialog>>> dialogs;
            dialogs.emplace_back(u"payment_check"_s,
                                 new CPaymentCheckDialog(nullptr, f.Doc(), QDate(2026, 1, 1), PaymentCheckAll));
            dialogs.emplace_back(u"payment_settings"_s, new CPaymentSetteingsDialog(nullptr, f.Doc()));
            dialogs.emplace_back(u"payment_register"_s, new CPaymentRegisterDialog(nullptr, f.Doc(), rent));
            dialogs.emplace_back(u"payment_register_basic"_s, new CPaymentRegisterVer0Dialog(nullptr, f.Doc(), rent));
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
    TestPaymentDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_payment_dialogs.moc"
