#include "KoTestSupport.h"

#include "kolib/CKoButton.h"
#include "kolib/CKoEdit.h"
#include "kolib/CKoInputScope.h"
#include "kolib/CKoIntegerEdit.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/CKoVDateTimeCtrl.h"
#include "kolib/CKoVDateTimeStatic.h"
#include "kolib/CKoVDialogBase.h"
#include "kolib/CKoVListCtrl.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoMnemonic.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

class FieldDialog : public CKoVDialogBase {
public:
    FieldDialog() : CKoVDialogBase(300)
    {
        auto* layout = new QVBoxLayout(this);
        number = new CKoIntegerEdit(this);
        number->SetRange(0, 0, 255, 3);
        next = new QLineEdit(this);
        layout->addWidget(number);
        layout->addWidget(next);
        layout->addLayout(MakeOkCancelRow());
    }
    CKoIntegerEdit* number;
    QLineEdit* next;
};

// A plain window holding one control and a field after it.
template <class Control>
struct Form {
    QWidget window;
    QLineEdit* before = new QLineEdit(&window);   // created in tab order
    Control* control = new Control(&window);
    QLineEdit* after = new QLineEdit(&window);
    Form()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(before);
        layout->addWidget(control);
        layout->addWidget(after);
        window.show();
        before->setFocus();
    }
};

void tabInto(QWidget* from, QWidget* to)
{
    QTest::keyClick(from, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), to);
}

}  // namespace

class TestKoInputControls : public QObject {
    Q_OBJECT

    KoTestVoice m_voice;
    KoTestSettings m_settings;
    QStringList m_messages;

private Q_SLOTS:
    void initTestCase()
    {
        KoSetMessageAnswerer([this](const KoMessage& message) {
            m_messages << message.text;
            return KoAnswer::Ok;
        });
    }

    void init()
    {
        m_messages.clear();
        m_voice.Clear();
    }

    void integerEditKeepsOnlyTheCharactersOfItsSignMode()
    {
        CKoIntegerEdit edit;
        edit.SetRange(0, 0, 255, 3);
        QTest::keyClicks(&edit, u"a1-b2"_s);
        QCOMPARE(edit.text(), u"12"_s);
        edit.clear();
        edit.insert(u"x9"_s);   // pasted text passes the same filter
        QCOMPARE(edit.text(), QString());
        QTest::keyClicks(&edit, u"1234"_s);
        QCOMPARE(edit.text(), u"123"_s);   // three characters at most

        edit.clear();
        edit.SetRange(1, -100, 100, 0);
        QTest::keyClicks(&edit, u"-4x2"_s);
        QCOMPARE(edit.text(), u"-42"_s);

        edit.clear();
        edit.SetRange(2, 0, 0, 0);
        QTest::keyClicks(&edit, u"ab"_s);
        QCOMPARE(edit.text(), u"ab"_s);
    }

    void outOfRangeValueKeepsTheFocus()
    {
        FieldDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QSignalSpy left(dialog.number, &CKoEdit::focusLeft);
        dialog.number->setFocus();
        QTest::keyClicks(dialog.number, u"300"_s);
        QTest::keyClick(dialog.number, Qt::Key_Tab);
        QCOMPARE(m_messages, QStringList{u"0から255の間の数値を指定してください。"_s});
        QCOMPARE(m_voice.Heard(), m_messages);
        QCOMPARE(QApplication::focusWidget(), dialog.number);
        QCOMPARE(dialog.number->selectedText(), u"300"_s);
        QCOMPARE(left.count(), 0);

        m_messages.clear();
        dialog.number->setText(u"255"_s);
        tabInto(dialog.number, dialog.next);
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(left.count(), 1);

        dialog.number->setFocus();
        dialog.number->clear();
        tabInto(dialog.number, dialog.next);   // an empty field passes
        QVERIFY(m_messages.isEmpty());
    }

    void escapeClosesWithoutTheRangeMessage()
    {
        FieldDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.number->setFocus();
        QTest::keyClicks(dialog.number, u"999"_s);
        QTest::keyClick(dialog.number, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(m_messages.isEmpty());
    }

    void escapeThatClosesNothingDoesNotStopTheCheck()
    {
        Form<CKoIntegerEdit> form;
        QVERIFY(QTest::qWaitForWindowActive(&form.window));
        form.control->SetRange(0, 1, 12, 2);
        tabInto(form.before, form.control);
        QTest::keyClicks(form.control, u"13"_s);
        QTest::keyClick(form.control, Qt::Key_Escape);
        QCoreApplication::processEvents();
        QTest::keyClick(form.control, Qt::Key_Tab);
        QCOMPARE(m_messages, QStringList{u"1から12の間の数値を指定してください。"_s});
        QCOMPARE(QApplication::focusWidget(), form.control);
    }

    void textThatIsNoNumberIsRefused()
    {
        Form<CKoIntegerEdit> form;
        QVERIFY(QTest::qWaitForWindowActive(&form.window));
        form.control->SetRange(1, -10, 10, 0);
        tabInto(form.before, form.control);
        QTest::keyClicks(form.control, u"1-2"_s);
        QTest::keyClick(form.control, Qt::Key_Tab);
        QCOMPARE(m_messages, QStringList{u"-10から10の間の数値を指定してください。"_s});
        QCOMPARE(QApplication::focusWidget(), form.control);
    }

    void inputModesBecomeHints()
    {
        QCOMPARE(CKoInputScope::ScopeOf(7), 0);   // an unknown mode is plain

        Form<CKoEdit> form;
        QVERIFY(QTest::qWaitForWindowActive(&form.window));
        form.control->setInputMethodHints(Qt::ImhNoPredictiveText);
        form.control->SetInputMode(1);
        tabInto(form.before, form.control);
        QCOMPARE(form.control->property("inputScope").toInt(), 44);
        QCOMPARE(form.control->inputMethodHints(), Qt::InputMethodHints(Qt::ImhNoPredictiveText));
        form.control->SetInputMode(0);
        tabInto(form.control, form.after);
        QTest::keyClick(form.after, Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(form.control->property("inputScope").toInt(), 0);
        QVERIFY(form.control->inputMethodHints() & Qt::ImhPreferLatin);
        QVERIFY(form.control->inputMethodHints() & Qt::ImhNoPredictiveText);
        QVERIFY(m_voice.Heard().isEmpty());
    }

    void comboSaysWhatItIsFor()
    {
        Form<CKoVComboBox> form;
        QVERIFY(QTest::qWaitForWindowActive(&form.window));
        form.control->setEditable(true);
        form.control->addItems({u"山田商店"_s, u"佐藤"_s});
        form.control->Setup(u"相手先(&A)"_s, 1, 20);
        tabInto(form.before, form.control);
        // Said and named as the screen shows the label, not as it is written.
        QCOMPARE(m_voice.Heard(), QStringList{u"相手先(A)の文字入力または選択　山田商店"_s});
        QAccessibleInterface* named = QAccessible::queryAccessibleInterface(form.control);
        QCOMPARE(named->text(QAccessible::Name), u"相手先"_s);
        QCOMPARE(named->text(QAccessible::Value), u"山田商店"_s);
        QCOMPARE(named->role(), QAccessible::ComboBox);
        QCOMPARE(form.control->lineEdit()->property("inputScope").toInt(), 44);
        QCOMPARE(form.control->lineEdit()->maxLength(), 20);

        m_voice.Clear();
        form.control->Setup(QString());
        form.control->setCurrentIndex(1);
        tabInto(form.control, form.after);
        QTest::keyClick(form.after, Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(m_voice.Heard(), QStringList{u"文字入力または選択　佐藤"_s});
    }

    void dropDownListIsLeftToTheReader()
    {
        Form<CKoVComboBox> form;
        QVERIFY(QTest::qWaitForWindowActive(&form.window));
        form.control->addItems({u"白"_s, u"黒"_s});
        form.control->Setup(u"文字色"_s, 1, 5);
        tabInto(form.before, form.control);
        QVERIFY(m_voice.Heard().isEmpty());
        QVERIFY(!form.control->property("inputScope").isValid());
        QCOMPARE(form.control->accessibleName(), u"文字色"_s);
    }

    void dateFieldsWrapAndSpeakTheirPart()
    {
        Form<CKoVDateTimeCtrl> form;
        QVERIFY(QTest::qWaitForWindowActive(&form.window));
        CKoVDateTimeCtrl* date = form.control;
        date->SetDisplayMode(1);
        date->setDate(QDate(2024, 5, 3));
        QCOMPARE(date->text(), u"2024年5月"_s);
        QCOMPARE(date->LastField(), 1);
        tabInto(form.before, date);
        QVERIFY(m_voice.Heard().isEmpty());   // readers other than PC-Talker and XP Reader read it

        QTest::keyClick(date, Qt::Key_Right);
        QCOMPARE(date->Field(), 1);
        QTest::keyClick(date, Qt::Key_Right);
        QCOMPARE(date->Field(), 0);   // past the month: back to the year
        QTest::keyClick(date, Qt::Key_Left);
        QCOMPARE(date->Field(), 1);
        QCOMPARE(m_voice.Heard(), (QStringList{u"5月"_s, u"2024年"_s, u"5月"_s}));

        m_voice.Clear();
        QSignalSpy changes(date, &CKoVDateTimeCtrl::dateChangeNotify);
        date->setDate(QDate(2024, 6, 3));
        QCOMPARE(m_voice.Heard(), QStringList{u"6月"_s});
        date->setDate(QDate(2025, 7, 9));
        QCOMPARE(m_voice.Heard().last(), u"2025年7月"_s);   // the day is not shown
        QCOMPARE(changes.count(), 2);

        m_voice.Clear();
        QTest::keyClick(date, Qt::Key_Up);   // the month goes up; only the whole date is read
        QCOMPARE(date->date(), QDate(2025, 8, 9));
        QCOMPARE(m_voice.Heard(), QStringList{u"2025年8月"_s});
        QVERIFY(m_voice.Voice().GetRead());
    }

    void dayFieldAndEnter()
    {
        Form<CKoVDateTimeCtrl> form;
        QVERIFY(QTest::qWaitForWindowActive(&form.window));
        CKoVDateTimeCtrl* date = form.control;
        date->setDate(QDate(2024, 12, 31));
        tabInto(form.before, date);
        QTest::keyClick(date, Qt::Key_Left);
        QCOMPARE(date->Field(), 2);
        QCOMPARE(m_voice.Heard(), QStringList{u"31日"_s});
        QTest::keyClick(date, Qt::Key_Return);
        QCOMPARE(date->date(), QDate(2024, 12, 31));

        m_voice.Clear();
        date->clearFocus();
        date->setDate(QDate(2023, 1, 1));   // set by the program, not the user: silent
        QVERIFY(m_voice.Heard().isEmpty());
        QCOMPARE(CKoVDateTimeCtrl::ChangeSpeech(QDate(2023, 1, 1), QDate(2024, 2, 1), 0), u"2024年2月"_s);
        QCOMPARE(CKoVDateTimeCtrl::ChangeSpeech(QDate(2023, 1, 1), QDate(2023, 1, 5), 2), QString());
    }

    void datesAreTypedDigitByDigit()
    {
        Form<CKoVDateTimeCtrl> form;
        QVERIFY(QTest::qWaitForWindowActive(&form.window));
        CKoVDateTimeCtrl* date = form.control;
        date->setDate(QDate(2024, 12, 31));
        tabInto(form.before, date);
        QTest::keyClicks(date, u"2026"_s);
        QTest::keyClick(date, Qt::Key_Right);
        QTest::keyClicks(date, u"5"_s);
        QTest::keyClick(date, Qt::Key_Right);
        QTest::keyClicks(date, u"3"_s);
        QCOMPARE(date->date(), QDate(2026, 5, 3));
        QCOMPARE(date->text(), u"2026年5月3日"_s);
        QCOMPARE(m_voice.Heard(), (QStringList{u"2"_s, u"20"_s, u"202"_s, u"2026年"_s, u"12月"_s, u"5月"_s, u"31日"_s,
                                               u"3日"_s}));

        m_voice.Clear();
        QTest::keyClicks(date, u"1"_s);   // the 3 was waiting for a second digit
        QTest::keyClicks(date, u"9"_s);   // no 90th: a day of its own
        QTest::keyClick(date, Qt::Key_Left);
        QTest::keyClicks(date, u"15"_s);   // no 15th month: the 1 stays
        QCOMPARE(date->date(), QDate(2026, 1, 9));
        QTest::keyClicks(date, u"2"_s);
        QTest::keyClicks(date, u"1"_s);
        QTest::keyClick(date, Qt::Key_Backspace);   // back to the month before the 1
        QTest::keyClicks(date, u"2"_s);
        QCOMPARE(m_voice.Heard(), (QStringList{u"31日"_s, u"9日"_s, u"5月"_s, u"1月"_s, u"15月は入力できません"_s,
                                               u"12月"_s, u"1月"_s, u"12月"_s, u"2月"_s}));
        QCOMPARE(date->date(), QDate(2026, 2, 9));

        date->setDate(QDate(2026, 3, 31));
        m_voice.Clear();
        QTest::keyClicks(date, u"4"_s);   // April has thirty days
        QCOMPARE(date->date(), QDate(2026, 4, 30));
        QTest::keyClick(date, Qt::Key_Right);
        QTest::keyClicks(date, u"0"_s);
        QTest::keyClicks(date, u"1"_s);   // "0" waits for its second digit
        QTest::keyClick(date, Qt::Key_Right);
        QTest::keyClicks(date, u"0999"_s);   // before the calendar the field knows
        QCOMPARE(date->date(), QDate(2026, 4, 1));
        QCOMPARE(m_voice.Heard(), (QStringList{u"4月30日"_s, u"30日"_s, u"0"_s, u"1日"_s, u"2026年"_s, u"0"_s, u"09"_s,
                                               u"099"_s, u"999年は入力できません"_s}));

        // Come back to by the keyboard, the field starts at the year again,
        // so a whole date typed digit by digit goes where it is meant.
        QTest::keyClick(date, Qt::Key_Left);
        form.before->setFocus(Qt::BacktabFocusReason);
        tabInto(form.before, date);
        QTest::keyClicks(date, u"2027"_s);
        QCOMPARE(date->date(), QDate(2027, 4, 1));
    }

    void dateTextSpeaksOnFocus()
    {
        Form<CKoVDateTimeStatic> form;
        QVERIFY(QTest::qWaitForWindowActive(&form.window));
        form.control->SetDate(QDate(2024, 5, 3));
        tabInto(form.before, form.control);
        QCOMPARE(m_voice.Heard(), QStringList{u"2024年5月3日"_s});
        // A label tied to it names it; the date shown still goes with the name.
        KoTieLabel(new QLabel(u"開始日(&S)"_s, &form.window), form.control);
        QAccessibleInterface* named = QAccessible::queryAccessibleInterface(form.control);
        QCOMPARE(named->text(QAccessible::Name), u"開始日 2024年5月3日"_s);
        form.control->SetDate(QDate(2025, 1, 2));
        QCOMPARE(named->text(QAccessible::Name), u"開始日 2025年1月2日"_s);
    }

    void checkListReadsTheSelectedRow()
    {
        Form<CKoVListCtrl> form;
        QVERIFY(QTest::qWaitForWindowActive(&form.window));
        CKoVListCtrl* list = form.control;
        list->setHeaderLabels({u"名前"_s, u"金額"_s, u"メモ"_s});
        for (const QStringList& row : {QStringList{u"家賃"_s, u"50,000"_s, u""_s},
                                       QStringList{u"電気"_s, u""_s, u"口座"_s}}) {
            auto* item = new QTreeWidgetItem(list, row);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(0, row[0] == u"家賃"_s ? Qt::Checked : Qt::Unchecked);
        }
        list->setCurrentItem(list->topLevelItem(0));
        tabInto(form.before, list);
        m_voice.Clear();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(m_voice.Heard(), QStringList{u"名前 電気 メモ 口座 チェックなし "_s});
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(list->topLevelItem(1)->checkState(0), Qt::Checked);
        QCOMPARE(m_voice.Heard().last(), u"名前 電気 メモ 口座 チェックあり "_s);
        QCOMPARE(list->ItemSpeech(list->topLevelItem(0)), u"名前 家賃 金額 50,000 チェックあり "_s);
        QCOMPARE(CKoVListCtrl::CheckAnnouncement(true), u"チェックをつけました。"_s);
        // A row without a box says none; Alt and Control chords say nothing.
        auto* plain = new QTreeWidgetItem(list, QStringList{u"水道"_s});
        QCOMPARE(list->ItemSpeech(plain), u"名前 水道"_s);
        m_voice.Clear();
        QTest::keyClick(list, Qt::Key_A, Qt::AltModifier);
        QTest::keyClick(list, Qt::Key_Control);
        QCOMPARE(m_voice.Heard(), QStringList());
    }

    void buttonSpeaksItsSpeechText()
    {
        Form<CKoButton> form;
        QVERIFY(QTest::qWaitForWindowActive(&form.window));
        form.control->setText(u"＋"_s);
        form.control->SetSpeechText(u"プラス"_s);
        int presses = 0;
        connect(form.control, &QPushButton::clicked, this, [&presses] { ++presses; });
        tabInto(form.before, form.control);
        QCOMPARE(m_voice.Heard(), QStringList{u"プラス"_s});
        QCOMPARE(form.control->accessibleName(), u"プラス"_s);
        QTest::keyClick(form.control, Qt::Key_Return);
        QTest::keyClick(form.control, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(presses, 1);

        m_voice.Clear();
        form.control->SetSpeechText(QString());
        tabInto(form.control, form.after);
        QTest::keyClick(form.after, Qt::Key_Tab, Qt::ShiftModifier);
        QVERIFY(m_voice.Heard().isEmpty());   // only PC-Talker needs the caption read
        QCOMPARE(CKoButton::CaptionSpeech(u"OK(&O)"_s), u"OK O"_s);
    }
};

QTEST_MAIN(TestKoInputControls)
#include "test_ko_input_controls.moc"
