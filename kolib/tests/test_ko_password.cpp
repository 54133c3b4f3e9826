#include "KoTestSupport.h"

#include "kolib/CKoPasswordEdit.h"
#include "kolib/CKoPasswordStore.h"
#include "kolib/CKoVLoginDlg.h"
#include "kolib/CKoVPasswordSettingDlg.h"
#include "kolib/KoMessageBox.h"
#include "platform/Cp932Codec.h"
#include "platform/Sha1.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestKoPassword : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    std::unique_ptr<KoTestVoice> m_voice;
    QStringList m_messages;

    template <class Dialog>
    void typeAndConfirm(Dialog& dialog, const QString& text)
    {
        dialog.PasswordEdit()->setFocus();
        dialog.PasswordEdit()->selectAll();
        QTest::keyClicks(dialog.PasswordEdit(), text);
        QTest::keyClick(dialog.PasswordEdit(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), dialog.OkButton());
        QTest::keyClick(dialog.OkButton(), Qt::Key_Return);
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The store lives in the user's configuration folder: a home of our own.
        qputenv("HOME", m_home.path().toUtf8());
        qunsetenv("XDG_CONFIG_HOME");
        m_voice = std::make_unique<KoTestVoice>();
        KoSetMessageAnswerer([this](const KoMessage& message) {
            m_messages << message.text;
            return KoAnswer::Ok;
        });
    }

    void init()
    {
        m_messages.clear();
        m_voice->Clear();
        CKoPasswordStore store;
        QVERIFY(store.ClearPassword());
        QVERIFY(store.WritePasswordOn(0));
    }

    void digestIsSha1OfTheCp932Bytes()
    {
        QCOMPARE(CKoPasswordStore::Digest(u"abcd"_s), u"81FE8BFE87576C3ECB22426F8E57847382917ACF"_s);
        const QString japanese = u"かけいぼ"_s;
        QCOMPARE(CKoPasswordStore::Digest(japanese), platform::sha1Hex(platform::cp932::encode(japanese)));
        // Characters without a CP932 form must not all collapse into "?".
        QVERIFY(CKoPasswordStore::Digest(u"😀😀😀😀"_s) != CKoPasswordStore::Digest(u"🙂🙂🙂🙂"_s));
        QVERIFY(CKoPasswordStore::Digest(u"😀😀😀😀"_s) != CKoPasswordStore::Digest(u"????"_s));

        CKoPasswordStore store;
        QVERIFY(!store.IsPasswordSet());
        QVERIFY(store.WritePassword(u"abcd"_s));
        QVERIFY(store.IsPasswordSet());
        QVERIFY(store.VerifyPassword(u"abcd"_s));
        QVERIFY(!store.VerifyPassword(u"abce"_s));
        // Kept where another program of the user finds it, never as the text itself.
        const platform::UserRegistryKey key(u"Asagi"_s, u"KinzoVer2"_s);
        QCOMPARE(key.readString(u"PersonKey"_s), u"81FE8BFE87576C3ECB22426F8E57847382917ACF"_s);
        QVERIFY(key.storagePath().startsWith(m_home.path()));
    }

    void settingRefusesShortAndEmptyPasswords()
    {
        CKoVPasswordSettingDlg dialog(u"パスワードを入力してください。"_s);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.windowTitle(), u"パスワード設定"_s);
        QCOMPARE(m_voice->Heard(), QStringList{u"パスワードを入力してください。"_s});   // the field says its prompt
        QCOMPARE(dialog.PasswordEdit()->echoMode(), QLineEdit::Password);

        typeAndConfirm(dialog, u"   "_s);
        QCOMPARE(m_messages.last(), u"パスワードが入力されていません。"_s);
        typeAndConfirm(dialog, u" abc "_s);
        QCOMPARE(m_messages.last(), u"パスワードは４文字以上を入力してください。"_s);
        QVERIFY(dialog.isVisible());
        QCOMPARE(QApplication::focusWidget(), dialog.PasswordEdit());
        QVERIFY(!CKoPasswordStore().IsPasswordSet());

        typeAndConfirm(dialog, u"  abcd  "_s);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const CKoPasswordStore store;
        QCOMPARE(store.ReadPasswordKey(), CKoPasswordStore::Digest(u"abcd"_s));
        QCOMPARE(store.ReadPasswordOn(), 1);
    }

    void loginChecksOnlyWhenProtectionIsOn()
    {
        CKoPasswordStore store;
        QVERIFY(store.WritePassword(u"abcd"_s));
        QVERIFY(store.WritePasswordOn(1));
        {
            CKoVLoginDlg dialog{QString(), QString()};
            dialog.show();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            QCOMPARE(dialog.windowTitle(), u"KinzoVer2"_s);
            QCOMPARE(m_voice->Heard().value(0), u"パスワードを入力して下さい。"_s);
            typeAndConfirm(dialog, u"abce"_s);
            QCOMPARE(m_messages, QStringList{u"パスワードが違います。"_s});
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.PasswordEdit()->selectedText(), u"abce"_s);
            typeAndConfirm(dialog, u" abcd "_s);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        QVERIFY(store.WritePasswordOn(0));
        CKoVLoginDlg dialog(u"パスワード解除"_s, u"現在のパスワードを入力してください。"_s);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.windowTitle(), u"パスワード解除"_s);
        typeAndConfirm(dialog, u"x"_s);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(m_messages.size(), 1);
    }

    void typedCharactersAreNeverSpoken()
    {
        CVoiceReader& voice = m_voice->Voice();
        CKoVLoginDlg dialog(QString(), u"現在のパスワードを入力してください。"_s);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), dialog.PasswordEdit());
        // The dialog says the prompt, and the field it names does not say it again.
        QCOMPARE(m_voice->Heard(), QStringList{u"現在のパスワードを入力してください。"_s});
        QCOMPARE(voice.GetRead(), 0);
        QTest::keyClicks(dialog.PasswordEdit(), u"secret"_s);
        KoAppReadText(u"secret"_s);   // what a reader echo would be: not heard
        QCOMPARE(voice.GetRead(), 0);

        QTest::keyClick(dialog.PasswordEdit(), Qt::Key_Tab);
        QCOMPARE(voice.GetRead(), 1);
        m_voice->Clear();
        QTest::keyClick(dialog.OkButton(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(m_voice->Heard(), QStringList{u"現在のパスワードを入力してください。 アスタリスク"_s});
        QCOMPARE(voice.GetRead(), 0);

        QTest::keyClick(dialog.PasswordEdit(), Qt::Key_Escape);   // closing from the field
        QVERIFY(!dialog.isVisible());
        QCOMPARE(voice.GetRead(), 1);
        QVERIFY(!m_voice->Heard().join(u'\n').contains(u"secret"_s));
    }
};

QTEST_MAIN(TestKoPassword)
#include "test_ko_password.moc"
