#include "KoTestSupport.h"

#include "kolib/CKoFolderBrowser.h"
#include "kolib/CKoVFileDialog.h"
#include "kolib/CSplashWindow.h"

#include <QDir>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestKoFileDialogs : public QObject {
    Q_OBJECT

    KoTestVoice m_voice;
    QTemporaryDir m_root;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QDir(m_root.path()).mkpath(u"家計簿"_s));
        QFile file(m_root.filePath(u"家計簿/2024年.kzd"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    void init() { m_voice.Clear(); }

    void filtersAreTranslated()
    {
        QCOMPARE(CKoVFileDialog::NameFilters(u"KinzoVer2ファイル(*.kzd)|*.kzd|すべてのファイル(*.*)|*.*||"_s),
                 (QStringList{u"KinzoVer2ファイル(*.kzd)"_s, u"すべてのファイル(*.*)"_s}));
        QCOMPARE(CKoVFileDialog::NameFilters(u"CSV|*.csv;*.txt||"_s), QStringList{u"CSV (*.csv *.txt)"_s});
        QCOMPARE(CKoVFileDialog::FolderSpeech(u"/home/user/家計簿"_s), u"フォルダ 家計簿"_s);
        QCOMPARE(CKoVFileDialog::FolderSpeech(u"/"_s), u"フォルダ /"_s);
    }

    void fileDialogSpeaksFolderAndSelection()
    {
        CKoVFileDialog dialog(true, u".kzd"_s, QString(), {},
                              u"KinzoVer2ファイル(*.kzd)|*.kzd|すべてのファイル(*.*)|*.*||"_s);
        QCOMPARE(dialog.defaultSuffix(), u"kzd"_s);
        QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFile);
        dialog.setDirectory(m_root.filePath(u"家計簿"_s));
        dialog.show();   // opening is the first change of folder
        QCOMPARE(m_voice.Heard(), QStringList{u"フォルダ 家計簿"_s});

        m_voice.Clear();
        Q_EMIT dialog.directoryEntered(m_root.path());
        Q_EMIT dialog.currentChanged(m_root.filePath(u"家計簿/2024年.kzd"_s));
        QCOMPARE(m_voice.Heard(), (QStringList{CKoVFileDialog::FolderSpeech(m_root.path()), u"2024年.kzd"_s}));
    }

    void saveDialogAsksBeforeOverwriting()
    {
        const CKoVFileDialog dialog(false, u"kzd"_s, m_root.filePath(u"家計簿/新規.kzd"_s));
        QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(!dialog.testOption(QFileDialog::DontConfirmOverwrite));
        QCOMPARE(QDir(dialog.directory()).absolutePath(), QDir(m_root.filePath(u"家計簿"_s)).absolutePath());
    }

    void folderBrowserReturnsTheFolderOrCancel()
    {
        QCOMPARE(CKoFolderBrowser::DisplayName(u"/home/user/書類"_s), u"書類"_s);
        const QString folder = m_root.filePath(u"家計簿"_s);
        QString chosen = u"unchanged"_s;
        {
            CKoFolderBrowser browser(u"インポート元"_s, folder);
            QTimer::singleShot(0, &browser, &QDialog::reject);
            QCOMPARE(browser.Browse(chosen), 2);
            QCOMPARE(chosen, u"unchanged"_s);
        }
        CKoFolderBrowser browser(u"インポート元"_s, folder);
        QCOMPARE(browser.windowTitle(), u"インポート元"_s);
        QTimer::singleShot(0, &browser, [&browser] {
            Q_EMIT browser.currentChanged(browser.directory().absolutePath());
            QMetaObject::invokeMethod(&browser, "accept");
        });
        QCOMPARE(browser.Browse(chosen), 1);
        QCOMPARE(QDir(chosen).absolutePath(), QDir(folder).absolutePath());
        QVERIFY(m_voice.Heard().contains(u"家計簿"_s));
    }

    void splashIsBorderlessAndOutOfTheTaskBar()
    {
        CSplashWindow splash(u"KinzoVer2"_s);
        splash.ShowCentred();
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(splash.windowType(), Qt::Tool);
        QCOMPARE(splash.palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(splash.accessibleName(), u"KinzoVer2"_s);
    }
};

QTEST_MAIN(TestKoFileDialogs)
#include "test_ko_file_dialogs.moc"
