// The calculator window as a user drives it from the keyboard, heard through
// the speech transcript; its settings file seeded from the shipped one.

#include "sanbo/CSanboDlg.h"
#include "sanbo/CSanboIniFile.h"

#include "kolib/CKoButton.h"
#include "kolib/KoMessageBox.h"
#include "kolib/tests/KoTestSupport.h"
#include "platform/Beep.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

class TestSanboDialog : public QObject {
    Q_OBJECT

    QTemporaryDir m_documents;
    std::unique_ptr<KoTestVoice> m_voice;
    std::unique_ptr<KoTestSettings> m_settings;
    std::unique_ptr<CSanboIniFile> m_ini;
    std::unique_ptr<CSanboDlg> m_dialog;
    QStringList m_messages;
    int m_beeps = 0;

    QWidget* Focus() { return QApplication::focusWidget(); }
    QString Display() { return m_dialog->findChild<QLineEdit*>(u"1029"_s)->text(); }
    QString Indicator(const char* id) { return m_dialog->findChild<QLabel*>(QString::fromLatin1(id))->text(); }

    void Type(const QString& keys)
    {
        for (const QChar k : keys) QTest::keyClicks(Focus(), QString(k));
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(Focus(), Qt::Key(key), modifiers);
    }
    QStringList Heard()
    {
        const QStringList heard = m_voice->Heard();
        m_voice->Clear();
        return heard;
    }
    void OpenDialog()
    {
        m_dialog = std::make_unique<CSanboDlg>(*m_ini);
        m_dialog->show();
        m_dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        QTRY_VERIFY(Focus());
        Heard();
    }
    // Runs `act` on the next modal window, once it is up.
    void WhenModal(std::function<void(QWidget*)> act)
    {
        auto* poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [poll, act] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible() || modal->objectName() != u"130") return;
            poll->deleteLater();
            poll->stop();
            act(modal);
        });
        poll->start(20);
    }
    // Chooses a menu item the way a user does: the function key, then the letter.
    void ChooseFromMenu(int functionKey, int letter)
    {
        Key(functionKey);
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key(letter));
    }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("HOME", m_documents.path().toUtf8());
        qunsetenv("XDG_CONFIG_HOME");
        platform::setBeepSink([this](platform::BeepSound) { ++m_beeps; });
        KoSetMessageAnswerer([this](const KoMessage& m) {
            m_messages << m.text;
            return KoAnswer::Ok;
        });
    }
    void init()
    {
        m_voice = std::make_unique<KoTestVoice>();
        m_settings = std::make_unique<KoTestSettings>();
        m_ini = std::make_unique<CSanboIniFile>();
        QVERIFY(m_ini->Initialize(u"SanboVer2"_s, u"Sanbo.ini"_s, QStringLiteral(SHIPPED_INI)));
        m_messages.clear();
        m_beeps = 0;
        OpenDialog();
    }
    void cleanup()
    {
        m_dialog.reset();
        QFile::remove(m_ini->GetFilePath());
        m_settings.reset();
        m_voice.reset();
    }

    void typedSumOnBothKeyboardParts()
    {
        Key(Qt::Key_1);
        Key(Qt::Key_Period, Qt::KeypadModifier);
        Key(Qt::Key_5, Qt::KeypadModifier);
        QCOMPARE(Heard(), (QStringList{u"1"_s, u"ドット"_s, u"5"_s}));
        QCOMPARE(Display(), u"1.5"_s);
        Key(Qt::Key_Period);
        QCOMPARE(m_beeps, 1);
        QVERIFY(Heard().isEmpty());

        Key(Qt::Key_Asterisk, Qt::ShiftModifier);   // Shift + ":"
        QCOMPARE(Indicator("1026"), u"×"_s);
        Key(Qt::Key_4);
        Key(Qt::Key_Plus, Qt::ShiftModifier);        // Shift + ";"
        Key(Qt::Key_3, Qt::KeypadModifier);
        Key(Qt::Key_Minus, Qt::KeypadModifier);
        Key(Qt::Key_1);
        Key(Qt::Key_Slash);
        Key(Qt::Key_2);
        QCOMPARE(Heard(), (QStringList{u"かける"_s, u"4"_s, u"プラス"_s, u"3"_s, u"マイナス"_s, u"1"_s,
                                       u"わる"_s, u"2"_s}));
        Key(Qt::Key_Equal, Qt::ShiftModifier);       // Shift + "-"
        QCOMPARE(Display(), u"4"_s);                 // ((1.5 × 4) + 3 − 1) ÷ 2
        QCOMPARE(Indicator("1026"), u"＝"_s);
        QCOMPARE(Heard(), QStringList{u"4"_s});

        // ":" and ";" alone are not calculator keys.
        Key(Qt::Key_Colon);
        Key(Qt::Key_Semicolon);
        QVERIFY(Heard().isEmpty());
        Key(Qt::Key_Backspace);
        Key(Qt::Key_9);
        Key(Qt::Key_Delete);
        Key(Qt::Key_7);
        Key(Qt::Key_F9);
        QCOMPARE(Heard(), (QStringList{u"バックスペース"_s, u"9"_s, u"クリアエントリ"_s, u"7"_s, u"符号反転"_s}));
        QCOMPARE(Display(), u"-7"_s);
        Key(Qt::Key_Escape);
        QCOMPARE(Heard(), QStringList{u"オールクリア"_s});
        QCOMPARE(Display(), QString());
        QVERIFY(m_dialog->isVisible());
    }

    void controlLettersAndClipboard()
    {
        Type(u"250"_s);
        Key(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(Indicator("1027"), u"M"_s);
        Type(u"120"_s);
        Key(Qt::Key_P, Qt::ControlModifier);
        Key(Qt::Key_Escape);
        Key(Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(Display(), u"370"_s);
        Key(Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(Display(), u"399.6"_s);   // 370 with 8 %
        Key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"399.6"_s);
        Key(Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(Indicator("1027"), QString());
        QCOMPARE(Heard(), (QStringList{u"2"_s, u"5"_s, u"0"_s, u"メモリ保存"_s, u"1"_s, u"2"_s, u"0"_s,
                                       u"メモリプラス"_s, u"オールクリア"_s, u"メモリ呼出"_s, u"税込"_s,
                                       u"メモリクリア"_s}));

        QGuiApplication::clipboard()->setText(u"お会計 1,200円"_s);
        Key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(m_beeps, 1);
        QCOMPARE(Display(), u"399.6"_s);
        QGuiApplication::clipboard()->setText(u"１，２００"_s);
        Key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Display(), u"1200"_s);
        QCOMPARE(m_beeps, 1);
        QVERIFY(Heard().isEmpty());
    }

    void arrowsWrapBetweenZeroAndMemoryPlus()
    {
        auto* zero = m_dialog->findChild<CKoButton*>(u"1017"_s);
        zero->setFocus();
        Heard();
        Key(Qt::Key_Left);
        QCOMPARE(Focus()->objectName(), u"1007"_s);
        QCOMPARE(Heard(), QStringList{u"エムプラス"_s});
        Key(Qt::Key_Down);
        QCOMPARE(Focus(), zero);
        Key(Qt::Key_Right);
        QCOMPARE(Focus()->objectName(), u"1019"_s);
        // Keys named by their caption are left to the screen reader.
        QCOMPARE(Heard(), QStringList{u"ドットル"_s});
        // A key pressed on a focused button does what the button does.
        QTest::keyClick(m_dialog->findChild<CKoButton*>(u"1013"_s), Qt::Key_Space);
        QCOMPARE(Display(), u"6"_s);
    }

    void displayIsAReadoutNamedWithItsResult()
    {
        Type(u"100"_s);
        Key(Qt::Key_T, Qt::ControlModifier);
        auto* display = m_dialog->findChild<QLineEdit*>(u"1029"_s);
        QAccessibleInterface* readout = QAccessible::queryAccessibleInterface(display);
        QCOMPARE(readout->role(), QAccessible::StaticText);
        QCOMPARE(readout->text(QAccessible::Name), u"表示 108"_s);
        // Back from the keys nothing is selected, which a reader would say.
        Key(Qt::Key_Tab);
        Key(Qt::Key_Backtab);
        QCOMPARE(Focus(), display);
        QVERIFY(!display->hasSelectedText());
    }

    void menuThroughFunctionKeys()
    {
        Type(u"64"_s);
        Heard();
        ChooseFromMenu(Qt::Key_F3, Qt::Key_S);
        QTRY_COMPARE(Indicator("1027"), u"M"_s);
        QCOMPARE(Heard(), (QStringList{u"メモリ メニューを開く"_s, u"メモリ保存"_s}));

        const double before = m_dialog->Zoom().Factor();
        ChooseFromMenu(Qt::Key_F4, Qt::Key_U);
        QTRY_VERIFY(m_dialog->Zoom().Factor() > before);
        const QFont font = m_dialog->findChild<QLineEdit*>(u"1029"_s)->font();
        QCOMPARE(font.pointSizeF(), 14 * m_dialog->Zoom().Factor());
        Key(Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(m_dialog->Zoom().Factor(), before);

        ChooseFromMenu(Qt::Key_F6, Qt::Key_A);
        QTRY_COMPARE(m_messages.size(), 1);
        QVERIFY(m_messages.first().startsWith(u"SanboVer2 Version "_s));
        // No manual viewer beside the tests' folder.
        ChooseFromMenu(Qt::Key_F6, Qt::Key_V);
        QTRY_COMPARE(m_messages.size(), 2);
        QCOMPARE(m_messages.last(), u"TebikiVer2が見つかりません。"_s);

        ChooseFromMenu(Qt::Key_F1, Qt::Key_X);
        QTRY_VERIFY(!m_dialog->isVisible());
    }

    void taxRateIsCheckedAndKept()
    {
        QCOMPARE(m_ini->ReadTaxRate(), 8);   // from the shipped file
        QStringList shown;
        WhenModal([&](QWidget* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>(u"1000"_s);
            shown << edit->text();
            for (const QString& wrong : {u""_s, u"150"_s, u"-1"_s, u"abc"_s}) {
                edit->setText(wrong);
                QTest::keyClick(dialog->findChild<QPushButton*>(u"1"_s), Qt::Key_Space);
                if (!dialog->isVisible()) return;
            }
            edit->setText(u" １０ "_s);
            QTest::keyClick(dialog->findChild<QPushButton*>(u"1"_s), Qt::Key_Space);
        });
        ChooseFromMenu(Qt::Key_F5, Qt::Key_S);
        QTRY_VERIFY(QApplication::activeModalWidget() == m_dialog.get() || !QApplication::activeModalWidget());
        QCOMPARE(shown, QStringList{u"8"_s});
        // The empty text says nothing; the three wrong rates are explained.
        QCOMPARE(m_messages.size(), 3);
        QVERIFY(m_messages.first().contains(u"0から100"_s));
        QCOMPARE(m_ini->ReadTaxRate(), 10);

        // A new start reads the stored rate.
        m_dialog.reset();
        OpenDialog();
        Type(u"1980"_s);
        Key(Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(Display(), u"2178"_s);
    }
};

QTEST_MAIN(TestSanboDialog)
#include "test_sanbo_dialog.moc"
