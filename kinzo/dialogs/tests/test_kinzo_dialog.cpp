// The entry dialog on real data files: its validation order, accounts and
// counterparties created from typed names, parent entries moved to a new
// child, repeats over months, the questions before saving again, validity
// and loan checks, change mode; what a user hears typing an entry by keys;
// the account combo chain and menus; and the placeholder view.

#include "LedgerAppFixture.h"

#include "CNullView.h"
#include "kinzo/dialogs/CAccountItemMenu.h"
#include "kinzo/dialogs/CKinzoDialog.h"
#include "kinzo/dialogs/EntryHint.h"
#include "kolib/CKoIntegerEdit.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/CKoVDateTimeCtrl.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestKinzoDialog : public QObject {
    Q_OBJECT

    LedgerAppFixture f;
    int m_food = 0, m_eatOut = 0, m_groceries = 0, m_salary = 0;

    static CKoVComboBox* combo(CKinzoDialog& d, const char* id) { return d.findChild<CKoVComboBox*>(QLatin1String(id)); }
    static CKoIntegerEdit* edit(CKinzoDialog& d, const char* id) { return d.findChild<CKoIntegerEdit*>(QLatin1String(id)); }

    // A shown dialog in new mode on the day, the account preselected.
    std::unique_ptr<CKinzoDialog> open(const QDate& day, int account = 0)
    {
        auto dialog = account ? std::make_unique<CKinzoDialog>(nullptr, f.Doc(), day, account)
                              : std::make_unique<CKinzoDialog>(nullptr, f.Doc(), day);
        dialog->show();
        return dialog;
    }
    void setAmount(CKinzoDialog& d, const QString& text) { edit(d, "1011")->setText(text); }
    void typeInto(CKinzoDialog& d, const char* id, const QString& text)
    {
        CKoVComboBox* c = combo(d, id);
        c->lineEdit()->selectAll();
        TypeText(c->lineEdit(), text);
    }
    void choose(CKinzoDialog& d, const char* id, const QString& text)
    {
        CKoVComboBox* c = combo(d, id);
        const int index = c->findText(text);
        QVERIFY2(index >= 0, qPrintable(text));
        c->setCurrentIndex(index);
        Q_EMIT c->activated(index);
    }

private Q_SLOTS:
    void initTestCase() { f.Start(); }

    void init()
    {
        QVERIFY(f.NewLedger());
        m_food = f.AddAccount(f.Root(2)->m_data.ID, u"食費"_s);
        m_eatOut = f.AddAccount(m_food, u"外食"_s);
        m_groceries = f.AddAccount(m_food, u"食材"_s);
        m_salary = f.AddAccount(f.Root(1)->m_data.ID, u"給与"_s);
        f.messages.clear();
    }

    void chainFillsEachLevelFromTheChoiceAbove()
    {
        auto d = open(QDate(2010, 5, 1), m_eatOut);
        CAccountComboChain& chain = d->Chain();
        QCOMPARE(chain.Text(0), u"支出"_s);
        QCOMPARE(chain.Text(1), u"食費"_s);
        QCOMPARE(chain.Text(2), u"外食"_s);
        QCOMPARE(combo(*d, "1012")->count(), 3);   // なし, 外食, 食材
        QCOMPARE(combo(*d, "1012")->itemData(0).toInt(), -1);
        QVERIFY(combo(*d, "1016")->isEnabled());    // a leaf still takes a typed child
        QCOMPARE(combo(*d, "1016")->count(), 1);
        QCOMPARE(chain.DeepestLevel(), 2);
        QCOMPARE(chain.SelectedAccountId(), m_eatOut);
        QCOMPARE(chain.Side(), 2);

        choose(*d, "1009", u"収入"_s);
        QCOMPARE(chain.Side(), 1);
        QCOMPARE(combo(*d, "1010")->count(), 2);
        QVERIFY(!combo(*d, "1012")->isEnabled());
        QCOMPARE(chain.DeepestLevel(), 0);

        // A new name at level 1 leaves nothing of the old level-2 list.
        chain.SelectAccount(m_eatOut);
        typeInto(*d, "1010", u"交際費"_s);
        QCOMPARE(chain.SelectedIndex(1), -1);
        QCOMPARE(combo(*d, "1012")->count(), 1);
        QVERIFY(combo(*d, "1012")->isEnabled());
        QVERIFY(!combo(*d, "1016")->isEnabled());
        QCOMPARE(chain.DeepestLevel(), 1);
        // Typing the listed name again is choosing it.
        typeInto(*d, "1010", u"食費"_s);
        QCOMPARE(chain.SelectedIndex(1), 1);
        QCOMPARE(combo(*d, "1012")->count(), 3);
    }

    void tabOrderFollowsTheFieldsAndEveryFieldHasAName()
    {
        auto d = open(QDate(2010, 5, 1), m_eatOut);
        d->findChild<QCheckBox*>(u"1175"_s)->setChecked(true);
        QStringList order;
        QWidget* w = d->findChild<QWidget*>(u"1026"_s);
        do {
            if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && w->parentWidget() == d.get()
                && !w->objectName().isEmpty()) {
                order << w->objectName();
                QVERIFY2(!w->accessibleName().isEmpty() || !w->property("text").toString().isEmpty(),
                         qPrintable(w->objectName()));
            }
            w = w->nextInFocusChain();
        } while (w && w->objectName() != u"1026"_s);
        QCOMPARE(order, (QStringList{u"1026"_s, u"1011"_s, u"1009"_s, u"1010"_s, u"1012"_s, u"1016"_s, u"1014"_s,
                                     u"1015"_s, u"1175"_s, u"1176"_s, u"1049"_s, u"1"_s, u"1070"_s}));
        QCOMPARE(d->focusWidget(), d->findChild<QWidget*>(u"1011"_s));
        QCOMPARE(combo(*d, "1010")->accessibleName(), u"第１階層科目"_s);
        QCOMPARE(SharedMnemonics(*d), QStringList());
    }

    void validationStopsAtTheFirstFailureInOrder()
    {
        auto d = open(QDate(2010, 5, 1));
        d->Register();                                       // only 収支
        choose(*d, "1009", u"支出"_s);
        choose(*d, "1010", u"食費"_s);
        d->Register();                                       // 食費 has children
        typeInto(*d, "1012", u"お*やつ"_s);
        d->Register();                                       // forbidden character
        typeInto(*d, "1012", u"おやつ"_s);
        d->Register();                                       // no amount
        setAmount(*d, u"2147483648"_s);
        d->Register();                                       // beyond 32 bits
        setAmount(*d, u"-"_s);
        d->Register();                                       // no number
        setAmount(*d, u"-2147483648"_s);
        typeInto(*d, "1014", u"山田＆商店"_s);
        d->Register();                                       // forbidden counterparty
        QCOMPARE(f.messages, (QStringList{u"科目が選択されていません。"_s, u"最下位の科目まで選択してください。"_s,
                                          u"科目名に許可されない文字が含まれています。"_s, u"金額が入力されていません。"_s,
                                          u"-2147483648から2147483647の間の数値を指定してください。"_s,
                                          u"-2147483648から2147483647の間の数値を指定してください。"_s,
                                          u"相手先名称に許可されない文字が含まれています。"_s}));
        QCOMPARE(f.EntryCount(), 0);
        QVERIFY(!f.Doc().AccountItems().Find(m_food)->m_lastChild->m_data.name.contains(u"おやつ"_s));
        QCOMPARE(d->Registered(), 0);
    }

    void typedNamesBecomeAccountsCounterpartyAndNote()
    {
        QSignalSpy hints(&f.Doc(), &CKinzoDoc::UpdateAllViews);
        auto d = open(QDate(2010, 5, 1));
        choose(*d, "1009", u"支出"_s);
        typeInto(*d, "1010", u"交際費"_s);
        typeInto(*d, "1012", u"贈答"_s);
        setAmount(*d, u"3000"_s);
        typeInto(*d, "1014", u"山田商店"_s);
        typeInto(*d, "1015", u"お中元"_s);
        f.ClearHeard();
        d->Register();
        QVERIFY2(f.messages.isEmpty(), qPrintable(f.messages.join(u'|')));

        const AccountItemNode* level1 = f.Root(2)->m_lastChild;
        QCOMPARE(level1->m_data.name, u"交際費"_s);
        QCOMPARE(level1->m_data.level, 1);
        QCOMPARE(level1->m_lastChild->m_data.name, u"贈答"_s);
        QCOMPARE(level1->m_lastChild->m_data.parentId, level1->m_data.ID);
        QVERIFY(level1->m_lastChild->m_data.ID > level1->m_data.ID);   // created in that order
        QList<_AccountItem> stored;
        f.Doc().AccountTable().FindByNameAndParent(u"贈答"_s, level1->m_data.ID, stored);
        QCOMPARE(stored.size(), 1);
        // The new parent and the root above it say that they have children.
        for (const int parent : {level1->m_data.ID, f.Root(2)->m_data.ID}) {
            QCOMPARE(f.Doc().AccountTable().GetItem(parent, stored[0]), DbStatus::Ok);
            QCOMPARE(stored[0].childFlag, 1);
        }

        const QList<_ViewEntry> entries = f.EntriesOf(QDate(2010, 5, 1), QDate(2010, 5, 1));
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].itemId, level1->m_lastChild->m_data.ID);
        QCOMPARE(entries[0].amount, 3000);
        QCOMPARE(entries[0].caterName, u"山田商店"_s);
        QCOMPARE(entries[0].note, u"お中元"_s);
        QCOMPARE(f.App().m_settingInfo.m_notes.value(0), u"お中元"_s);
        QCOMPARE(d->Registered(), 1);
        QVERIFY(d->isVisible());                            // new mode stays open
        qDebug() << f.Heard();
        QCOMPARE(f.Heard().value(0), u"新規登録しました。"_s);

        QCOMPARE(hints.size(), 1);
        QCOMPARE(hints[0][0].value<UpdateHint>(), UpdateHint::EntryAdded);
        const std::optional<_KinzoEntry> sent = EntryFromHint(hints[0][1]);
        QVERIFY(sent);
        QCOMPARE(sent->ID, entries[0].ID);
        QCOMPARE(sent->caterId, entries[0].caterId);

        // The menus now offer the new account.
        CAccountItemMenu& menu = CAccountMenuSet::Of(f.Doc()).Leaf();
        bool offered = false;
        for (int id = CAccountItemMenu::FirstCommandId; id < CAccountItemMenu::FirstCommandId + menu.ItemCount(); ++id)
            offered |= menu.AccountOfCommand(id) == level1->m_lastChild->m_data.ID;
        QVERIFY(offered);

        // The same counterparty typed again on another day is found, not added.
        d->Chain().SelectAccount(m_eatOut);
        d->findChild<CKoVDateTimeCtrl*>(u"1026"_s)->setDate(QDate(2010, 5, 2));
        typeInto(*d, "1014", u"山田商店"_s);
        d->Register();
        QList<_CaterData> caters;
        f.Doc().CaterTable().GetAllCaters(caters);
        QCOMPARE(caters.size(), 1);
        QCOMPARE(f.EntriesOf(QDate(2010, 5, 2), QDate(2010, 5, 2)).value(0).caterId, caters[0].ID);
    }

    void anEntryTypedByKeysIsHeardStepByStep()
    {
        f.ClearHeard();
        auto d = open(QDate(2010, 5, 1));
        QVERIFY(QTest::qWaitForWindowActive(d.get()));
        // What F1 opens: the user learns where the focus is.
        QCOMPARE(f.Heard(), QStringList{u"金額(K)のエディット"_s});
        const auto press = [](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        };
        const auto type = [](const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); };

        f.ClearHeard();
        press(Qt::Key_Tab, Qt::ShiftModifier);
        type(u"2026"_s);
        press(Qt::Key_Right);
        type(u"5"_s);
        press(Qt::Key_Right);
        type(u"3"_s);
        press(Qt::Key_Tab);
        type(u"1500"_s);
        press(Qt::Key_Tab);
        press(Qt::Key_Down);   // 収支: from 収入 to 支出
        press(Qt::Key_Tab);
        press(Qt::Key_Down);
        press(Qt::Key_Tab);
        press(Qt::Key_Down);
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        TypeText(combo(*d, "1014")->lineEdit(), u"山田商店"_s);
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        press(Qt::Key_Space);   // the repeat box
        press(Qt::Key_Tab);
        QCOMPARE(f.Heard(), (QStringList{u"2"_s, u"20"_s, u"202"_s, u"2026年"_s, u"5月"_s, u"5月"_s, u"1日"_s, u"3日"_s,
                                         u"金額(K)のエディット"_s, u"支出"_s,
                                         u"第１階層科目(1)の文字入力または選択　なし"_s, u"食費"_s,
                                         u"第２階層科目(2)の文字入力または選択　なし"_s, u"外食"_s,
                                         u"第３階層科目(3)の文字入力または選択　なし"_s,
                                         u"相手先の文字入力または選択　なし"_s, u"備考の文字入力または選択　なし"_s,
                                         u"チェックをつけました。"_s, u"繰返し月数(N)のエディット　1"_s}));

        for (int back = 0; back < 4; ++back) press(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), combo(*d, "1016"));
        f.ClearHeard();
        press(Qt::Key_E, Qt::AltModifier);   // 登録(&E), from the third level
        QTRY_COMPARE(d->Registered(), 1);
        QVERIFY2(f.messages.isEmpty(), qPrintable(f.messages.join(u'|')));
        // The result is all the news: the focus stays where the user is.
        QCOMPARE(f.Heard(), QStringList{u"新規登録しました。"_s});
        QCOMPARE(QApplication::focusWidget(), combo(*d, "1016"));
        const QList<_ViewEntry> entries = f.EntriesOf(QDate(2026, 5, 3), QDate(2026, 5, 3));
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].itemId, m_eatOut);
        QCOMPARE(entries[0].amount, 1500);
        QCOMPARE(entries[0].caterName, u"山田商店"_s);
    }

    // The view the main window shows while no file is open (at start and after
    // closing one) says how to go on each time it appears.
    void thePlaceholderSaysHowToStart()
    {
        const QString hint = u"データファイルが開かれていません。新規作成（Ctrl+N）か開く（Ctrl+O）を選んでください。"_s;
        QStackedWidget window;
        auto* ledger = new QLabel(u"出納帳"_s, &window);
        window.addWidget(ledger);
        auto* placeholder = new CNullView(f.Doc(), &window);
        window.addWidget(placeholder);
        window.setCurrentWidget(placeholder);
        f.ClearHeard();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(f.Heard(), QStringList{hint});
        window.setCurrentWidget(ledger);   // a file opened
        window.setCurrentWidget(placeholder);   // and closed again
        QTRY_COMPARE(f.Heard(), (QStringList{hint, hint}));
        // Shown only on the way to a file opened at once (start-up with the last
        // file): nothing to say.
        window.setCurrentWidget(ledger);
        window.setCurrentWidget(placeholder);
        window.setCurrentWidget(ledger);
        QCoreApplication::sendPostedEvents();   // where a hint would be said
        QCOMPARE(f.Heard(), (QStringList{hint, hint}));
    }

    void aNewChildTakesTheParentsEntriesOnlyWhenAllowed()
    {
        const int early = f.AddEntry(QDate(2010, 4, 1), m_salary, 200000);
        for (const KoAnswer answer : {KoAnswer::Cancel, KoAnswer::Ok}) {
            auto d = open(QDate(2010, 5, 25), m_salary);
            typeInto(*d, "1012", u"基本給"_s);
            setAmount(*d, u"210000"_s);
            f.messages.clear();
            f.answers = {answer};
            d->Register();
            QCOMPARE(f.messages.value(0), u"親科目はすでに出納データを持っています。\r\n"
                                          u"子科目を追加すると、これは子科目に移動されますがよろしいですか？"_s);
            const AccountItemNode* salary = f.Doc().AccountItems().Find(m_salary);
            _ViewEntry moved;
            f.Doc().KinzoView().GetViewEntry(early, moved);
            if (answer == KoAnswer::Cancel) {
                QVERIFY(!salary->HasChildren());
                QCOMPARE(moved.itemId, m_salary);
                QCOMPARE(f.EntryCount(), 1);
            } else {
                QVERIFY(salary->HasChildren());
                const int child = salary->m_firstChild->m_data.ID;
                QCOMPARE(moved.itemId, child);
                QCOMPARE(f.EntriesOf(QDate(2010, 5, 25), QDate(2010, 5, 25)).value(0).itemId, child);
            }
        }
    }

    void repeatsFollowTheMonthsFromTheThirtyFirst()
    {
        QCOMPARE(CKinzoDialog::RepeatDates(QDate(2012, 1, 31), 4),
                 (QList<QDate>{QDate(2012, 1, 31), QDate(2012, 2, 29), QDate(2012, 3, 31), QDate(2012, 4, 30)}));
        QCOMPARE(CKinzoDialog::RepeatDates(QDate(2010, 12, 15), 2), (QList<QDate>{QDate(2010, 12, 15), QDate(2011, 1, 15)}));

        auto d = open(QDate(2010, 1, 31), m_eatOut);
        setAmount(*d, u"1000"_s);
        d->findChild<QCheckBox*>(u"1175"_s)->setChecked(true);
        edit(*d, "1176")->setText(u"3"_s);
        d->Register();
        QList<QDate> days;
        for (const _ViewEntry& e : f.EntriesOf(QDate(2010, 1, 1), QDate(2010, 12, 31))) days << e.date;
        QCOMPARE(days, (QList<QDate>{QDate(2010, 1, 31), QDate(2010, 2, 28), QDate(2010, 3, 31)}));
        QCOMPARE(d->Entry().date, QDate(2010, 1, 31));

        for (const QString& count : {u"0"_s, QString()}) {
            edit(*d, "1176")->setText(count);
            d->findChild<CKoVDateTimeCtrl*>(u"1026"_s)->setDate(QDate(2010, 7, count.isEmpty() ? 2 : 1));
            d->Register();
        }
        QCOMPARE(f.EntryCount(), 5);
    }

    void registeringTheSameBookingAgainAsksFirst()
    {
        auto d = open(QDate(2010, 6, 1), m_groceries);
        setAmount(*d, u"500"_s);
        d->Register();
        QVERIFY(f.messages.isEmpty());
        f.answers = {KoAnswer::Cancel};
        d->Register();
        QCOMPARE(f.messages, QStringList{u"同じ日付、同じ科目のデータが既に登録されています。追加登録しますか？"_s});
        QCOMPARE(f.EntryCount(), 1);
        d->Register();                                       // answered OK this time
        QCOMPARE(f.EntryCount(), 2);
        f.messages.clear();
        d->findChild<CKoVDateTimeCtrl*>(u"1026"_s)->setDate(QDate(2010, 6, 2));
        d->Register();
        QVERIFY(f.messages.isEmpty());
        QCOMPARE(f.EntryCount(), 3);
    }

    void changeModeAsksBeforeReplacingTheSameBooking()
    {
        const int id = f.AddEntry(QDate(2010, 6, 10), m_eatOut, 1200, u"昼食"_s);
        _ViewEntry entry;
        QCOMPARE(f.Doc().KinzoView().GetViewEntry(id, entry), DbStatus::Ok);
        QSignalSpy hints(&f.Doc(), &CKinzoDoc::UpdateAllViews);
        {
            CKinzoDialog d(nullptr, f.Doc(), entry);
            d.show();
            QCOMPARE(d.windowTitle(), u"変更"_s);
            QCOMPARE(edit(d, "1011")->text(), u"1200"_s);
            QCOMPARE(combo(d, "1015")->currentText(), u"昼食"_s);
            QVERIFY(!d.findChild<QCheckBox*>(u"1175"_s)->isVisible());
            setAmount(d, u"1300"_s);
            f.answers = {KoAnswer::Cancel};
            d.Register();
            QCOMPARE(f.messages, QStringList{u"置き換えますがよろしいですか？ "_s});
            QVERIFY(d.isVisible());
            d.Register();
            QVERIFY(!d.isVisible());
            QCOMPARE(d.result(), int(QDialog::Accepted));
            QCOMPARE(d.Registered(), 1);
        }
        QCOMPARE(f.EntriesOf(QDate(2010, 6, 10), QDate(2010, 6, 10)).value(0).amount, 1300);
        QCOMPARE(hints.size(), 1);
        QCOMPARE(hints[0][0].value<UpdateHint>(), UpdateHint::EntryChanged);
        QCOMPARE(f.Heard().last(), u"データを更新しました。"_s);

        f.messages.clear();
        f.Doc().KinzoView().GetViewEntry(id, entry);
        CKinzoDialog d(nullptr, f.Doc(), entry);
        d.show();
        d.findChild<CKoVDateTimeCtrl*>(u"1026"_s)->setDate(QDate(2010, 6, 11));
        d.Register();
        QVERIFY(f.messages.isEmpty());
        QCOMPARE(f.EntriesOf(QDate(2010, 6, 11), QDate(2010, 6, 11)).value(0).ID, id);
    }

    void datesOutsideTheAccountsValidityAreRefused()
    {
        const int old = f.AddAccount(m_food, u"旧科目"_s, QDate(2010, 3, 31));
        auto d = open(QDate(2010, 4, 1), old);
        setAmount(*d, u"100"_s);
        d->Register();
        d->findChild<CKoVDateTimeCtrl*>(u"1026"_s)->setDate(QDate(2010, 3, 31));
        d->findChild<QCheckBox*>(u"1175"_s)->setChecked(true);
        edit(*d, "1176")->setText(u"2"_s);
        d->Register();
        QCOMPARE(f.messages, (QStringList{u"有効期間外であるため、この日付には登録できません。"_s,
                                          u"有効期間外であるため、この日付には登録できません。"_s}));
        QCOMPARE(f.EntryCount(), 0);
        edit(*d, "1176")->setText(u"1"_s);
        d->Register();
        QCOMPARE(f.EntryCount(), 1);
    }

    void loanChecksAndRepaymentFollowTheLoan()
    {
        const int car = f.AddAccount(f.Root(2)->m_data.ID, u"車ローン"_s);
        _LoanData loan;
        loan.itemId = car;
        loan.total = 30000;
        loan.monthly = 10000;
        loan.bonusMonth1 = 7;
        loan.bonusAmount = 20000;
        loan.payDay = 27;
        loan.startMonth = QDate(2010, 4, 1);
        loan.remaining = 30000;
        QCOMPARE(f.Doc().LoanTable().AddLoan(loan), DbStatus::Ok);

        auto d = open(QDate(2010, 3, 27), car);
        setAmount(*d, u"10000"_s);
        d->Register();
        QCOMPARE(f.messages, QStringList{u"ローン支払開始年月より前の日付には登録できません。"_s});
        f.messages.clear();
        d->findChild<CKoVDateTimeCtrl*>(u"1026"_s)->setDate(QDate(2010, 7, 27));   // a bonus month
        f.answers = {KoAnswer::Cancel};
        d->Register();
        QCOMPARE(f.messages, QStringList{u"支払金額がローン残確認設定で設定した値と異なりますがよろしいですか？"_s});
        f.messages.clear();
        setAmount(*d, u"20000"_s);
        d->Register();
        QVERIFY(f.messages.isEmpty());
        d->findChild<CKoVDateTimeCtrl*>(u"1026"_s)->setDate(QDate(2010, 8, 27));
        setAmount(*d, u"10000"_s);
        d->Register();
        QVERIFY(f.messages.isEmpty());
        QCOMPARE(f.Doc().LoanTable().GetLoan(loan.ID, loan), DbStatus::Ok);
        QCOMPARE(loan.remaining, 0);
        QVERIFY(loan.endMonth.isValid());

        d->findChild<CKoVDateTimeCtrl*>(u"1026"_s)->setDate(QDate(2010, 9, 27));
        f.answers = {KoAnswer::Cancel};
        d->Register();
        QCOMPARE(f.messages, QStringList{u"このローンは完済済みです。登録を行いますか？"_s});
        QCOMPARE(f.EntryCount(), 2);
    }

    void menusOfferTheTreeByKind()
    {
        const int lunch = f.AddAccount(m_eatOut, u"昼食"_s);
        CAccountMenuSet& menus = CAccountMenuSet::Of(f.Doc());
        QCOMPARE(&CAccountMenuSet::Of(f.Doc()), &menus);

        // Leaf menu: 収入 > 給与; 支出 > 食費 > (外食 > 昼食), 食材.
        CAccountItemMenu& leaf = menus.Leaf();
        QMenu* top = leaf.FirstSubMenu();
        QVERIFY(top);
        QCOMPARE(top->actions().size(), 2);
        QCOMPARE(top->actions()[1]->menu()->title(), u"支出"_s);
        QCOMPARE(leaf.ItemCount(), 3);
        QList<int> offered;
        for (int id = CAccountItemMenu::FirstCommandId; id < CAccountItemMenu::FirstCommandId + 3; ++id)
            offered << leaf.AccountOfCommand(id);
        QCOMPARE(offered, (QList<int>{m_salary, lunch, m_groceries}));
        QCOMPARE(leaf.AccountOfCommand(CAccountItemMenu::FirstCommandId + 3), -1);

        // Parent menu: accounts whose children are leaves (収入 and 外食); 食費,
        // whose first child has children, is a submenu; leaves are left out.
        CAccountItemMenu& parents = menus.Parent();
        QCOMPARE(parents.ItemCount(), 2);
        QCOMPARE(parents.AccountOfCommand(CAccountItemMenu::FirstCommandId), f.Root(1)->m_data.ID);
        QCOMPARE(parents.AccountOfCommand(CAccountItemMenu::FirstCommandId + 1), m_eatOut);

        CAccountItemMenu& expense = menus.ExpenseLeaf();
        QCOMPARE(expense.FirstSubMenu()->title(), u"支出"_s);
        QCOMPARE(expense.ItemCount(), 2);

        // A menu command in the dialog selects its account.
        auto d = open(QDate(2010, 5, 1));
        f.ClearHeard();
        d->OnMenuCommand(CAccountItemMenu::FirstCommandId + 1);
        QCOMPARE(d->Chain().SelectedAccountId(), lunch);
        QCOMPARE(d->Chain().Text(3), u"昼食"_s);
        QCOMPARE(f.Heard().last(), u"%1 %2 昼食"_s.arg(d->Chain().Text(1), d->Chain().Text(2)));

        // The button shows the menu; the keyboard picks from it.
        QTimer::singleShot(50, [] {
            QWidget* popup = QApplication::activePopupWidget();
            QVERIFY(popup);
            QTest::keyClick(popup, Qt::Key_Down);
            QTest::keyClick(popup, Qt::Key_Right);
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Down);
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return);
        });
        f.ClearHeard();
        d->ShowAccountMenu();
        QCOMPARE(d->Chain().SelectedAccountId(), m_salary);
        // The opening, each item reached, then the account chosen.
        const QStringList heard = f.Heard();
        QCOMPARE(heard.first(), u"メニュー"_s);
        QVERIFY2(heard.size() >= 4, qPrintable(heard.join(u'|')));
        QCOMPARE(heard.last(), d->Chain().Text(1));
    }

    void menusStopAtTheLastCommandIdAndFollowReloads()
    {
        AccountItemList tree;
        _AccountItem top;
        top.ID = 1;
        top.name = u"支出"_s;
        top.side = 2;
        AccountItemNode* root = tree.AppendChild(top);
        for (int i = 0; i < 10005; ++i) {
            _AccountItem item;
            item.ID = 100 + i;
            item.name = u"科目%1"_s.arg(i);
            root->AppendChild(item);
        }
        CAccountItemMenu menu;
        menu.Build(&tree, CAccountItemMenu::LeafMenu);
        QCOMPARE(menu.ItemCount(), 10001);
        QCOMPARE(menu.AccountOfCommand(CAccountItemMenu::LastCommandId), 100 + 10000);
        QCOMPARE(menu.AccountOfCommand(CAccountItemMenu::LastCommandId + 1), -1);

        CAccountMenuSet& menus = CAccountMenuSet::Of(f.Doc());
        const int before = menus.Leaf().ItemCount();
        f.AddAccount(m_food, u"菓子"_s);          // reloads the document's tree
        QCOMPARE(menus.Leaf().ItemCount(), before + 1);
    }
};

int main(int argc, char** argv)
{
    CKinzoApp app(argc, argv);
    TestKinzoDialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_kinzo_dialog.moc"
