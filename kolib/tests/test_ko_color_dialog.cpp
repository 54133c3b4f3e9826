#include "KoTestSupport.h"

#include "kolib/CKoColorSettingDlg.h"
#include "kolib/CKoIntegerEdit.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/KoMessageBox.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QStringList editTexts(const CKoColorSettingDlg& dialog, int firstId)
{
    QStringList texts;
    for (int id = firstId; id < firstId + 3; ++id)
        texts << dialog.findChild<CKoIntegerEdit*>(QString::number(id))->text();
    return texts;
}

bool editsEnabled(const CKoColorSettingDlg& dialog, int firstId)
{
    return dialog.findChild<CKoIntegerEdit*>(QString::number(firstId))->isEnabled();
}

}  // namespace

class TestKoColorDialog : public QObject {
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
        QVERIFY(m_settings.Ini().WriteFontColor(QColor(0, 0, 0)));
        QVERIFY(m_settings.Ini().WriteBackColor(QColor(1, 2, 3)));
    }

    void opensOnAnUnlistedColour()
    {
        CKoColorSettingDlg dialog;
        dialog.show();
        auto* text = dialog.findChild<CKoVComboBox*>(u"1013"_s);
        auto* back = dialog.findChild<CKoVComboBox*>(u"1014"_s);
        QCOMPARE(text->count(), 17);
        QCOMPARE(text->currentText(), u"黒"_s);
        QVERIFY(!editsEnabled(dialog, 1015));
        QCOMPARE(back->currentText(), u"その他、三原色で指定"_s);
        QCOMPARE(editTexts(dialog, 1018), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
        QVERIFY(editsEnabled(dialog, 1018));
        QCOMPARE(dialog.palette().color(QPalette::Window), QColor(1, 2, 3));
    }

    void choosingANamedColourFillsAndLocksTheEdits()
    {
        CKoColorSettingDlg dialog;
        dialog.show();
        auto* text = dialog.findChild<CKoVComboBox*>(u"1013"_s);
        text->setCurrentIndex(text->findText(u"黄色"_s));
        QCOMPARE(editTexts(dialog, 1015), (QStringList{u"255"_s, u"255"_s, u"0"_s}));
        QVERIFY(!editsEnabled(dialog, 1015));

        text->setCurrentIndex(16);   // starts from the colour of the settings
        QCOMPARE(editTexts(dialog, 1015), (QStringList{u"0"_s, u"0"_s, u"0"_s}));
        QVERIFY(editsEnabled(dialog, 1015));

        auto* back = dialog.findChild<CKoVComboBox*>(u"1014"_s);
        back->setCurrentIndex(back->findText(u"紺"_s));
        QCOMPARE(dialog.palette().color(QPalette::Window), QColor(0, 0, 128));   // shown at once
        // White on navy is shown as a pair: the dialog stays readable while choosing.
        text->setCurrentIndex(text->findText(u"白"_s));
        QCOMPARE(dialog.palette().color(QPalette::WindowText), QColor(255, 255, 255));
        QCOMPARE(dialog.palette().color(QPalette::Window), QColor(0, 0, 128));
    }

    void rgbEditsSayWhatTheyAre()
    {
        CKoColorSettingDlg dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.findChild<CKoIntegerEdit*>(u"1019"_s)->setFocus(Qt::TabFocusReason);
        QCOMPARE(m_voice.Heard().last(), u"背景色の緑のエディット"_s);
    }

    void okChecksTheEditsAndWritesTheColours()
    {
        CKoColorSettingDlg dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* blue = dialog.findChild<CKoIntegerEdit*>(u"1020"_s);
        blue->setText(u"256"_s);
        dialog.OkButton()->click();
        QCOMPARE(m_messages, QStringList{u"0から255の間の数値を指定してください。"_s});
        QVERIFY(dialog.isVisible());
        QCOMPARE(QApplication::focusWidget(), blue);
        QCOMPARE(m_settings.Ini().ReadString(u"Setup"_s, u"BackColor"_s), u"030201"_s);

        blue->setText(u"200"_s);
        auto* text = dialog.findChild<CKoVComboBox*>(u"1013"_s);
        text->setCurrentIndex(text->findText(u"黄色"_s));
        dialog.OkButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(m_settings.Ini().ReadString(u"Setup"_s, u"FontColor"_s), u"00FFFF"_s);
        QCOMPARE(m_settings.Ini().ReadString(u"Setup"_s, u"BackColor"_s), u"C80201"_s);
        QCOMPARE(dialog.m_backColor, QColor(1, 2, 200));
    }
};

QTEST_MAIN(TestKoColorDialog)
#include "test_ko_color_dialog.moc"
