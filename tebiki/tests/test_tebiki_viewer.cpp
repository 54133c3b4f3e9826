#include "tebiki/CIndexTreeView.h"
#include "tebiki/CTebikiFrame.h"
#include "tebiki/CTextView.h"
#include "tebiki/TebikiCommands.h"

#include "kolib/KoMessageBox.h"
#include "kolib/tests/KoTestSupport.h"

#include <QAction>
#include <QInputMethodEvent>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString manual = u"家計簿の手引き　第二版\n"
                       "目次ここから\n１：はじめに\n１－１：起動\n２：入力\n２－１：日付\n目次ここまで\n"
                       "１：はじめに\nKinzo は家計簿です。kinzo と書いても同じです。\n"
                       "１－１：起動\nメニューから起動します。\n"
                       "２：入力\n金額を入力します。金額は円単位です。\n"
                       "２－１：日付\n日付は年月日の順です。\n"_s;

}  // namespace

class TestTebikiViewer : public QObject {
    Q_OBJECT

    KoTestVoice m_voice;
    CTebikiDoc m_doc;
    std::unique_ptr<CTebikiFrame> m_frame;
    QStringList m_messages;

    void key(int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : m_frame.get();
        QTest::keyClick(target, Qt::Key(code), modifiers);
    }
    void placeCaret(int position)
    {
        QTextCursor cursor = m_frame->Text()->textCursor();
        cursor.setPosition(position);
        m_frame->Text()->setTextCursor(cursor);
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_doc.Parse(manual);
        KoSetMessageAnswerer([this](const KoMessage& m) {
            m_messages << m.text;
            return KoAnswer::Ok;
        });
    }

    void init()
    {
        m_messages.clear();
        m_frame = std::make_unique<CTebikiFrame>(m_doc);
        m_frame->show();
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        m_frame->Tree()->setFocus();
        m_voice.Clear();
    }

    void theWindowShowsTheTitleAndTheChosenPage()
    {
        QCOMPARE(m_frame->windowTitle(), u"家計簿の手引きのヘルプ"_s);
        QCOMPARE(m_frame->Tree()->topLevelItemCount(), 1);
        QCOMPARE(m_frame->Tree()->topLevelItem(0)->childCount(), 2);   // １ and ２ under the title
        m_frame->Tree()->SelectIndex(3);
        QCOMPARE(m_frame->Text()->toPlainText(), u"２：入力\n金額を入力します。金額は円単位です。"_s);
        QVERIFY(m_frame->Text()->font().family().contains(u"Mincho"_s) || m_frame->Text()->font().family().contains(u"明朝"_s));
    }

    void contentsStepsWithControlPAndZ()
    {
        m_frame->Tree()->SelectIndex(2);
        key(Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(m_frame->Tree()->CurrentIndex(), 1);   // the section of a first child
        m_frame->Tree()->SelectIndex(3);
        key(Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(m_frame->Tree()->CurrentIndex(), 2);   // the last child of the section before
        key(Qt::Key_Z, Qt::ControlModifier);
        key(Qt::Key_Z, Qt::ControlModifier);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_frame->Tree()->CurrentIndex(), 4);   // stays on the last entry
    }

    void tabSwitchesPanesAndTheTextIsRead()
    {
        m_frame->Tree()->SelectIndex(1);
        key(Qt::Key_Tab);
        QVERIFY(m_frame->Text()->hasFocus());
        QCOMPARE(m_voice.Heard(), QStringList{u"１：はじめに Kinzo は家計簿です。kinzo と書いても同じです。"_s});
        m_voice.Clear();
        key(Qt::Key_Down);
        key(Qt::Key_Right);
        QCOMPARE(m_voice.Heard(), (QStringList{u"Kinzo は家計簿です。kinzo と書いても同じです。"_s, u"i"_s}));
        key(Qt::Key_Return);
        QVERIFY(m_frame->Tree()->hasFocus());
    }

    void theTextGrowsAndShrinksByKeys()
    {
        QCOMPARE(m_frame->Text()->font().pointSize(), 12);
        key(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
        key(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(m_frame->Text()->font().pointSize(), 16);
        QCOMPARE(m_frame->Tree()->font().pointSize(), 16);
        key(Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
        for (int i = 0; i < 3; ++i) key(Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);   // past the smallest
        QCOMPARE(m_frame->Text()->font().pointSize(), 12);
        QCOMPARE(m_voice.Heard(), (QStringList{u"文字サイズ 14"_s, u"文字サイズ 16"_s, u"文字サイズ 14"_s,
                                               u"文字サイズ 12"_s, u"文字サイズ 12"_s, u"文字サイズ 12"_s}));
    }

    void readingCommandsSpeakTheirPartOfThePage()
    {
        m_frame->Tree()->SelectIndex(3);
        placeCaret(5);   // after "２：入力\n"
        for (int command : {int(CmdTebikiReadToCaret), int(CmdTebikiReadFromCaret), int(CmdTebikiReadAll)})
            QVERIFY(m_frame->RunCommand(command));
        QCOMPARE(m_voice.Heard(), (QStringList{u"２：入力"_s, u"金額を入力します。金額は円単位です。"_s,
                                               u"２：入力 金額を入力します。金額は円単位です。"_s}));
        QVERIFY(m_frame->Action(CmdTebikiReadAll)->isChecked());
        QVERIFY(!m_frame->Action(CmdTebikiReadToCaret)->isChecked());
    }

    void findHonoursDirectionCaseAndWholeWords()
    {
        key(Qt::Key_N, Qt::ControlModifier);   // nothing searched yet: nothing happens
        QVERIFY(m_messages.isEmpty());
        QVERIFY(m_voice.Heard().isEmpty());

        m_frame->Tree()->SelectIndex(1);
        const QString page = m_frame->Text()->toPlainText();
        const int upper = int(page.indexOf(u"Kinzo"_s)), lower = int(page.indexOf(u"kinzo"_s));
        QVERIFY(upper >= 0 && lower > upper);
        placeCaret(0);
        m_frame->Find({u"kinzo"_s, true, true, false});
        QCOMPARE(m_frame->Text()->textCursor().selectedText(), u"kinzo"_s);
        QCOMPARE(m_frame->Text()->textCursor().selectionStart(), lower);   // the lower-case one only
        placeCaret(0);
        m_frame->Find({u"kinzo"_s, true, false, false});
        QCOMPARE(m_frame->Text()->textCursor().selectionStart(), upper);   // either case
        placeCaret(int(page.size()));
        m_frame->Find({u"kinzo"_s, false, false, false});
        QCOMPARE(m_frame->Text()->textCursor().selectionStart(), lower);   // backwards: the nearer one
        placeCaret(0);
        m_frame->Find({u"Kin"_s, true, false, true});                   // no whole word "Kin"
        QCOMPARE(m_messages, QStringList{u"文字列 'Kin' が見つかりませんでした。"_s});
    }

    void findAgainRepeatsTheDialogsSearch()
    {
        m_frame->Tree()->SelectIndex(3);
        placeCaret(0);
        QTimer::singleShot(0, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            QInputMethodEvent typed;   // typed through the input method
            typed.setCommitString(u"金額"_s);
            QApplication::sendEvent(dialog->focusWidget(), &typed);
            QTest::keyClick(dialog->findChild<QWidget*>(u"1"_s), Qt::Key_Return);
        });
        key(Qt::Key_F, Qt::ControlModifier);
        const QString page = m_frame->Text()->toPlainText();
        QCOMPARE(m_frame->LastSearch().text, u"金額"_s);
        QCOMPARE(m_frame->Text()->textCursor().selectionStart(), page.indexOf(u"金額"_s));
        key(Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(m_frame->Text()->textCursor().selectionStart(), page.lastIndexOf(u"金額"_s));
        key(Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(m_messages, QStringList{u"文字列 '金額' が見つかりませんでした。"_s});
    }
};

QTEST_MAIN(TestTebikiViewer)
#include "test_tebiki_viewer.moc"
