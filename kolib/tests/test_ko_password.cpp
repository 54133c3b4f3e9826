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

    static bool shown(QDialog& dialog)
    {
        dialog.show();
        return QTest::qWaitForWindowActive(&dialog);
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

    void storedAsASaltedSlowDigest()
    {
        CKoPasswordStore store;
        QVERIFY(!store.IsPasswordSet());
        QVERIFY(store.WritePassword(u"abcd"_s));
        QVERIFY(store.IsPasswordSet());
        const platform::UserRegistryKey key(u"Asagi"_s, u"KinzoVer2"_s);
        const QString first = key.readString(u"PersonKey"_s);
        QVERIFY2(first.startsWith(u"$argon2id$v=19$m=65536,t=2,p=1$"_s), qPrintable(first));
        QVERIFY(!first.contains(u"abcd"_s));
        QVERIFY(key.storagePath().startsWith(m_home.path()));
        QVERIFY(!(QFile::permissions(key.storagePath()) & (QFile::ReadGroup | QFile::ReadOther)));
        QVERIFY(store.VerifyPassword(u"abcd"_s));
        QVERIFY(!store.VerifyPassword(u"abce"_s));
        // Another user with the same password gets another salt.
        QVERIFY(store.WritePassword(u"abcd"_s));
        QVERIFY(key.readString(u"PersonKey"_s) != first);
        QVERIFY(store.VerifyPassword(u"abcd"_s));
        // Texts that code page 932 cannot hold must not all collapse into "?".
        QVERIFY(store.WritePassword(u"😀😀😀😀"_s));
        QVERIFY(!store.VerifyPassword(u"????"_s) && !store.VerifyPassword(u"🙂🙂🙂🙂"_s));
        QVERIFY(store.VerifyPassword(u"😀😀😀😀"_s));
    }

    // Earlier versions stored SHA-1 over the code page 932 bytes: accepted
    // once and replaced; a wrong password leaves the store as it was.
    void olderDigestIsReplacedOnTheFirstRightPassword()
    {
        QCOMPARE(CKoPasswordStore::OlderDigest(u"abcd"_s), u"81FE8BFE87576C3ECB22426F8E57847382917ACF"_s);
        const QString japanese = u"かけいぼ"_s;
        QCOMPARE(CKoPasswordStore::OlderDigest(japanese), platform::sha1Hex(platform::cp932::encode(japanese)));
        platform::UserRegistryKey key(u"Asagi"_s, u"KinzoVer2"_s);
        QVERIFY(key.writeString(u"PersonKey"_s, CKoPasswordStore::OlderDigest(japanese)));
        QFile file(key.storagePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        CKoPasswordStore store;
        QVERIFY(!store.VerifyPassword(u"かけいば"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        file.close();
        QVERIFY(store.VerifyPassword(japanese));
        QVERIFY(key.readString(u"PersonKey"_s).startsWith(u"$argon2id$"_s));
        QVERIFY(store.VerifyPassword(japanese));
    }

    void settingRefusesShortAndEmptyPasswords()
    {
        CKoVPasswordSettingDlg dialog(u"パスワードを入力してください。"_s);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.windowTitle(), u"パスワード設定"_s);
        // What the password guards, then the field says its prompt.
        QCOMPARE(m_voice->Heard().size(), 2);
        QVERIFY(m_voice->Heard()[0].contains(u"データファイルそのものは暗号化されない"_s));
        QCOMPARE(m_voice->Heard()[1], u"パスワードを入力してください。"_s);
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
        CKoPasswordStore store;
        QVERIFY(store.VerifyPassword(u"abcd"_s));
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

    // From the third miss in a row the next try waits, and the user hears how
    // long and when it is over; another dialog does not start the count anew.
    void repeatedMissesWaitLongerAndSaySo()
    {
        CKoPasswordStore store;
        QVERIFY(store.WritePassword(u"abcd"_s) && store.WritePasswordOn(1));
        {
            CKoVLoginDlg dialog{QString(), QString()};
            QVERIFY(shown(dialog));
            for (const QString& guess : {u"aaaa"_s, u"bbbb"_s}) typeAndConfirm(dialog, guess);
            dialog.CancelButton()->click();
        }
        CKoVLoginDlg dialog{QString(), QString()};
        QVERIFY(shown(dialog));
        m_voice->Clear();
        typeAndConfirm(dialog, u"cccc"_s);
        typeAndConfirm(dialog, u"abcd"_s);   // not checked during the wait
        QCOMPARE(m_messages.mid(2), (QStringList{u"パスワードが違います。\n2秒待ってから、もう一度入力してください。"_s,
                                                 u"あと2秒待ってから入力してください。"_s}));
        QCOMPARE(m_voice->Heard().value(0), u"パスワードが違います。 2秒待ってから、もう一度入力してください。"_s);
        QTRY_VERIFY_WITH_TIMEOUT(m_voice->Heard().contains(u"もう一度入力できます。"_s), 3000);
        QCOMPARE(dialog.SecondsToWait(), 0);
        typeAndConfirm(dialog, u"dddd"_s);
        QCOMPARE(m_messages.last(), u"パスワードが違います。\n4秒待ってから、もう一度入力してください。"_s);
        QCOMPARE(dialog.SecondsToWait(), 4);
        QTRY_COMPARE_WITH_TIMEOUT(dialog.SecondsToWait(), 0, 5000);
        dialog.PasswordEdit()->selectAll();
        QTest::keyClicks(dialog.PasswordEdit(), u"abcd"_s);
        QTest::keyClick(dialog.PasswordEdit(), Qt::Key_Return);   // Enter in the field confirms
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        // A refusal after Enter in the field is heard.
        CKoVLoginDlg again{QString(), QString()};
        QVERIFY(shown(again));
        QTest::keyClicks(again.PasswordEdit(), u"eeee"_s);
        m_voice->Clear();
        QTest::keyClick(again.PasswordEdit(), Qt::Key_Return);
        QCOMPARE(m_voice->Heard().value(0), u"パスワードが違います。"_s);
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
