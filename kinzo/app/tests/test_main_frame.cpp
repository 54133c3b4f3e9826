#include "CKinzoApp.h"
#include "CKinzoViewBase.h"
#include "CMainFrame.h"
#include "CViewRegistry.h"
#include "KinzoCommands.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kolib/CKoPasswordStore.h"
#include "kolib/CKoVLoginDlg.h"
#include "kolib/KoMessageBox.h"
#include "platform/NamedEvent.h"
#include "platform/PrivateProfile.h"
#include "voice/CTranscriptReader.h"

#include <QFileDialog>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>
#include <QLineEdit>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Stands in for the day list: counts what the window asks of it.
class ProbeView : public CKinzoViewBase {
public:
    ProbeView(CKinzoDoc& doc, QWidget* parent) : CKinzoViewBase(101, doc, parent) {}
    void ReloadView() override { ++reloads; }
    bool OnCommand(int id) override
    {
        if (id != CmdEntryNew) return false;
        commands << id;
        return true;
    }
    std::optional<bool> IsCommandEnabled(int id) const override
    {
        return id == CmdEntryNew ? std::optional<bool>(true) : std::nullopt;
    }
    void OnUpdate(QObject* sender, int hint, const QVariant& object) override
    {
        hints << hint;
        CKinzoViewBase::OnUpdate(sender, hint, object);
    }
    int reloads = 0;
    QList<int> commands;
    QList<int> hints;
};

}  // namespace

class TestMainFrame : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    QStringList m_messages;
    std::unique_ptr<CMainFrame> m_frame;

    CKinzoApp& app() { return *CKinzoApp::Instance(); }
    ProbeView* probe() { return dynamic_cast<ProbeView*>(m_frame->ActiveView()); }
    QString bookPath(const char* name = "家計簿.kzd") { return m_home.filePath(QString::fromUtf8(name)); }
    void pressKey(int key, bool autoRepeat = false)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(m_frame->focusWidget() ? m_frame->focusWidget() : m_frame.get(), &press);
        QCoreApplication::processEvents();
    }
    QStringList heard() const { return CTranscriptReader::SpokenLines(m_home.filePath(u"heard.txt"_s)); }
    void clearHeard() { QFile::resize(m_home.filePath(u"heard.txt"_s), 0); }
    // A key as the keyboard delivers it: shortcuts first, then the focused control.
    void typeKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : m_frame.get();
        QTest::keyClick(target, Qt::Key(key), modifiers);
        QCoreApplication::processEvents();
    }
    bool menuItemEnabled(int id) { return m_frame->Action(id) && m_frame->Action(id)->isEnabled(); }
    // Answers the next modal dialog: types the text into its line edit and presses OK.
    void answerNextDialog(const QString& text)
    {
        QTimer::singleShot(0, [text] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog) return;
            if (auto* edit = dialog->findChild<QLineEdit*>()) edit->setText(text);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
    }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("HOME", m_home.path().toUtf8());
        qputenv("VOICE_TRANSCRIPT", m_home.filePath(u"heard.txt"_s).toUtf8());
        KoSetMessageAnswerer([this](const KoMessage& m) {
            m_messages << m.text;
            return KoAnswer::Ok;
        });
        RegisterKinzoView(101, [](CKinzoDoc& doc, QWidget* parent) { return new ProbeView(doc, parent); });
        QString reasons;
        QCOMPARE(app().InitialSetup(reasons), 1);
    }

    void init()
    {
        m_messages.clear();
        m_frame = std::make_unique<CMainFrame>(app());
        QVERIFY(m_frame->Create());
        m_frame->show();
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        app().m_mainWindowReady = 1;
    }

    void cleanup()
    {
        app().m_mainWindowReady = 0;
        m_frame->close();
        m_frame.reset();
        app().Document().OnNewDocument(QString());
        app().m_connection.Close();
    }

    void withoutAFileOnlyTheFileCommandsAreOffered()
    {
        QCOMPARE(m_frame->windowTitle(), u"KinzoVer2"_s);
        QCOMPARE(m_frame->ActiveFormId(), 177);
        QVERIFY(menuItemEnabled(CmdFileNew));
        QVERIFY(menuItemEnabled(CmdFileOpen));
        for (int id : {int(CmdListView), int(CmdEntryNew), int(CmdToday), int(CmdFileDelete), int(CmdMoveMode),
                       int(CmdPaymentSettings)})
            QVERIFY2(!menuItemEnabled(id), qPrintable(QString::number(id)));
        // What needs no ledger stays at hand: magnification, colours, password, calculator.
        for (int id : {int(CmdZoomIn), int(CmdFontSizeFirst), int(CmdColorSettings), int(CmdPasswordSetOrClear),
                       int(CmdCalculator)})
            QVERIFY2(menuItemEnabled(id), qPrintable(QString::number(id)));
        QVERIFY(m_frame->Action(CmdListView)->isChecked());
        // The later dialogs' commands are there, greyed.
        QVERIFY(m_frame->Action(CmdSearch));
        QVERIFY(!m_frame->IsCommandEnabled(CmdSearch));
    }

    void aNewFileOpensTheListAndNamesTheWindow()
    {
        QVERIFY(m_frame->NewDataFile(bookPath()));
        QCOMPARE(m_frame->windowTitle(), u"KinzoVer2 - 家計簿"_s);
        QCOMPARE(m_frame->ActiveFormId(), 101);
        QVERIFY(menuItemEnabled(CmdEntryNew));
        QVERIFY(menuItemEnabled(CmdImportAccountTable));   // only the two roots so far
        QVERIFY(!menuItemEnabled(CmdMonthView));            // no month view in this program yet

        const int loaded = probe()->reloads;
        QVERIFY(m_frame->RunCommand(CmdListView));          // the view already shown is loaded again
        QCOMPARE(probe()->reloads, loaded + 1);
        app().m_currentDate = QDate(2001, 1, 1);
        QVERIFY(m_frame->RunCommand(CmdToday));
        QCOMPARE(app().m_currentDate, QDate::currentDate());
        QCOMPARE(probe()->reloads, loaded + 2);
    }

    void functionKeysRunTheirCommandOnce()
    {
        QVERIFY(m_frame->NewDataFile(bookPath()));
        clearHeard();
        pressKey(Qt::Key_F1);
        pressKey(Qt::Key_F1, true);   // held down: not again
        QCOMPARE(probe()->commands, QList<int>{CmdEntryNew});
        QCOMPARE(heard(), QStringList{u"新規登録 メニューを開く"_s});
        clearHeard();
        pressKey(Qt::Key_F7);
        QCOMPARE(m_messages, QStringList{u"SanboVer2が見つかりません。"_s});
        QCOMPARE(heard(), QStringList({u"Sanbo起動 メニューを開く"_s, u"SanboVer2が見つかりません。"_s}));
        m_messages.clear();
        clearHeard();
        pressKey(Qt::Key_F6);         // the loan check of a later dialog: no pane switch
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(m_frame->ActiveFormId(), 101);
        QVERIFY2(!heard().isEmpty() && heard().first().startsWith(u"ローン残確認"_s), qPrintable(heard().join(u'|')));
        QVERIFY(m_frame->RunCommand(CmdManual));
        QCOMPARE(m_messages, QStringList{u"TebikiVer2が見つかりません。"_s});
    }

    void fontSizeStepsStopAtTheEndsWithoutTellingTheViews()
    {
        QVERIFY(m_frame->NewDataFile(bookPath()));
        m_frame->SetFontSize(45);
        probe()->hints.clear();
        QVERIFY(m_frame->RunCommand(CmdZoomIn));
        QVERIFY(probe()->hints.isEmpty());
        QVERIFY(m_frame->RunCommand(CmdZoomOut));
        QCOMPARE(app().m_settingInfo.m_fontSize, 36);
        QCOMPARE(probe()->hints, QList<int>{int(UpdateHint::FontSizeChanged)});
        m_frame->SetFontSize(9);
        probe()->hints.clear();
        QVERIFY(m_frame->RunCommand(CmdZoomOut));
        QVERIFY(probe()->hints.isEmpty());
        m_frame->SetFontSize(13);   // not in the list: the mark goes to 14
        QVERIFY(m_frame->Action(CmdFontSizeFirst + 2)->isChecked());
        QCOMPARE(m_frame->FontSizeMenu()->title(), u"文字サイズ指定(&S)"_s);
        QCOMPARE(m_frame->Action(CmdFontSizeFirst)->text(), u"9 (&1)"_s);
        QVERIFY(m_frame->RunCommand(CmdFontSizeFirst + 4));
        QCOMPARE(app().m_settingInfo.m_fontSize, 18);
        QCOMPARE(app().m_settingInfo.m_zoom, 2.0);
    }

    void accountImportIsOfferedOnlyForAnEmptyTree()
    {
        QVERIFY(m_frame->NewDataFile(bookPath()));
        QVERIFY(m_frame->IsCommandEnabled(CmdImportAccountTable));
        _AccountItem food = _AccountItem::ChildOf(app().Document().AccountItems().m_lastChild->m_data, u"食費"_s);
        app().Document().AccountTable().NextChildCode(app().Document().AccountItems().m_lastChild->m_data, food.code);
        QCOMPARE(app().Document().AccountTable().AddItem(food), DbStatus::Ok);
        m_frame->menuBar()->actions().first()->menu()->popup(QPoint());   // menus count again when they open
        m_frame->menuBar()->actions().first()->menu()->hide();
        QVERIFY(!m_frame->IsCommandEnabled(CmdImportAccountTable));
    }

    void anotherProgramCanAskForTheTreeAgain()
    {
        QVERIFY(m_frame->NewDataFile(bookPath()));
        probe()->hints.clear();
        platform::NamedEvent event(u"Event_Notyfy_To_Kinzo"_s);
        QVERIFY(event.set());
        QTRY_COMPARE(probe()->hints, QList<int>{int(UpdateHint::AccountTreeReloaded)});
        QVERIFY(!event.isSet());
    }

    void deletingTheFileLeavesAnEmptyWindow()
    {
        QVERIFY(m_frame->NewDataFile(bookPath("消す.kzd")));
        QVERIFY(m_frame->RunCommand(CmdFileDelete));
        QCOMPARE(m_messages.first(), u"現在開いているファイル消す.kzdを削除します。元に戻すことはできませんが、よろしいですか？"_s);
        QVERIFY(!QFile::exists(bookPath("消す.kzd")));
        QCOMPARE(m_frame->ActiveFormId(), 177);
        QCOMPARE(m_frame->windowTitle(), u"KinzoVer2"_s);
    }

    void aMissingRecentFileIsDropped()
    {
        QVERIFY(m_frame->NewDataFile(bookPath("一時.kzd")));
        app().Document().OnNewDocument(QString());
        app().m_connection.Close();
        QFile::remove(bookPath("一時.kzd"));
        QVERIFY(m_frame->RunCommand(CmdRecentFile1));
        QCOMPARE(m_messages, QStringList{u"ファイルが見つかりません。"_s});
        QVERIFY(!CRecentFileList().Files().contains(bookPath("一時.kzd")));
    }

    void passwordCanBeClearedWithTheCurrentOne()
    {
        CKoPasswordStore store;
        QVERIFY(store.WritePassword(u"abcd"_s));
        QVERIFY(store.WritePasswordOn(1));
        m_frame->close();
        m_frame = std::make_unique<CMainFrame>(app());
        QVERIFY(m_frame->Create());
        QVERIFY(m_frame->NewDataFile(bookPath()));   // the options are greyed without a file
        QCOMPARE(m_frame->Action(CmdPasswordSetOrClear)->text(), u"パスワード解除(&W)..."_s);
        QVERIFY(m_frame->IsCommandEnabled(CmdPasswordChange));
        answerNextDialog(u"abcd"_s);
        QVERIFY(m_frame->RunCommand(CmdPasswordSetOrClear));
        QCOMPARE(m_messages, QStringList{u"パスワードが解除されました。"_s});
        QVERIFY(!store.IsPasswordSet());
        QCOMPARE(store.ReadPasswordOn(), 0);
        QCOMPARE(m_frame->Action(CmdPasswordSetOrClear)->text(), u"パスワード設定(&W)..."_s);
    }

    void closingWritesThePlacementAndTheSettings()
    {
        m_frame->setGeometry(40, 50, 600, 400);
        app().m_settingInfo.m_startMonth = 4;
        m_frame->close();
        const QString ini = app().m_iniFile.GetFilePath();
        QCOMPARE(platform::profile::readString(ini, u"Window"_s, u"Zoomed"_s), u"0"_s);
        QVERIFY(!platform::profile::readString(ini, u"Window"_s, u"Right"_s).isEmpty());
        QCOMPARE(app().m_iniFile.ReadStartMonth(), 4);
        app().m_settingInfo.m_startMonth = 1;
        app().m_settingInfo.Save();
    }

    void keysOfCommandsThatCannotRunNowSaySo()
    {
        clearHeard();
        typeKey(Qt::Key_F1);                              // no file yet
        typeKey(Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(heard(), (QStringList{u"新規登録は現在使用できません。"_s, u"検索は現在使用できません。"_s}));
        QVERIFY(m_messages.isEmpty());

        QVERIFY(m_frame->NewDataFile(bookPath()));
        clearHeard();
        typeKey(Qt::Key_F5);                              // no payment check in this program yet
        typeKey(Qt::Key_F1);
        QCOMPARE(heard(), (QStringList{u"支払確認は現在使用できません。"_s, u"新規登録 メニューを開く"_s}));
        QCOMPARE(probe()->commands, QList<int>{CmdEntryNew});
    }

    void magnificationKeysResizeEveryViewAndSayTheSize()
    {
        QVERIFY(m_frame->NewDataFile(bookPath()));
        m_frame->SetFontSize(12);
        probe()->setFocus();
        probe()->hints.clear();
        clearHeard();
        typeKey(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(app().m_settingInfo.m_fontSize, 14);
        QCOMPARE(probe()->hints, QList<int>{int(UpdateHint::FontSizeChanged)});
        QCOMPARE(m_frame->menuBar()->font().pointSize(), 14);
        QVERIFY(m_frame->Action(CmdFontSizeFirst + 2)->isChecked());
        typeKey(Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(app().m_settingInfo.m_fontSize, 12);
        QCOMPARE(heard(), (QStringList{u"文字サイズ 14"_s, u"文字サイズ 12"_s}));
    }

    // Alt and one letter must reach each item: no two items of a menu share one.
    void everyMenuItemHasALetterOfItsOwn()
    {
        QVERIFY(m_frame->NewDataFile(bookPath("一.kzd")));
        QVERIFY(m_frame->NewDataFile(bookPath("二.kzd")));   // two recent files
        QVERIFY(m_frame->Action(CmdRecentFile1 + 1)->isVisible());
        const std::function<void(const QString&, const QList<QAction*>&)> walk =
            [&](const QString& title, const QList<QAction*>& items) {
                QMap<QChar, QString> taken;
                for (QAction* item : items) {
                    if (item->isSeparator() || !item->isVisible()) continue;
                    const QString text = item->text().section(u'\t', 0, 0);
                    const qsizetype at = text.indexOf(u'&');
                    if (!item->isEnabled() && at < 0) continue;   // the greyed "最近使ったファイル"
                    QVERIFY2(at >= 0 && at + 1 < text.size(), qPrintable(title + u": "_s + text));
                    const QChar letter = text.at(at + 1).toUpper();
                    QVERIFY2(!taken.contains(letter),
                             qPrintable(u"%1: %2 and %3"_s.arg(title, taken.value(letter), text)));
                    taken.insert(letter, text);
                    if (item->menu()) walk(text, item->menu()->actions());
                }
            };
        walk(u"menu bar"_s, m_frame->menuBar()->actions());
    }

    // At the largest size the check marks grow; the items grow with them, so
    // no label is cut short.
    void menuLabelsFitAtTheLargestSize()
    {
        QVERIFY(m_frame->NewDataFile(bookPath()));
        const int before = app().m_settingInfo.m_fontSize;
        m_frame->SetFontSize(45);
        auto* guide = qobject_cast<QMenu*>(m_frame->Action(CmdReadDataOnly)->associatedObjects().value(0));
        for (QMenu* menu : {guide, m_frame->FontSizeMenu()}) {
            QVERIFY(menu);
            menu->ensurePolished();
            menu->adjustSize();
            const int mark = menu->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, menu);
            for (QAction* item : menu->actions()) {
                if (!item->isCheckable()) continue;
                const QString label = item->text().section(u'\t', 0, 0).remove(u'&');
                QVERIFY2(menu->actionGeometry(item).width() >= menu->fontMetrics().horizontalAdvance(label) + mark,
                         qPrintable(label));
            }
        }
        m_frame->SetFontSize(before);
    }

    void fileDialogsStartInTheLedgersFolder()
    {
        QString title;
        const auto folderOfNextFileDialog = [this, &title](int command) {
            QString folder;
            QTimer::singleShot(0, [&folder, &title] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                if (!dialog) return;
                folder = dialog->directory().absolutePath();
                title = dialog->windowTitle();
                dialog->reject();
            });
            m_frame->RunCommand(command);
            return folder;
        };
        QCOMPARE(folderOfNextFileDialog(CmdFileOpen), QDir(m_home.filePath(u"Documents"_s)).absolutePath());
        QDir(m_home.path()).mkpath(u"家計 2026"_s);
        QVERIFY(m_frame->NewDataFile(m_home.filePath(u"家計 2026/本.kzd"_s)));
        QCOMPARE(folderOfNextFileDialog(CmdFileNew), m_home.filePath(u"家計 2026"_s));
        QCOMPARE(title, u"新規作成"_s);   // the command's name, not Qt's "名前を付けて保存"
        QCOMPARE(folderOfNextFileDialog(CmdFileOpen), m_home.filePath(u"家計 2026"_s));
    }

    // Without a desktop that maximises it, the window still fills the work area.
    void theFirstWindowTakesTheScreensWorkArea()
    {
        m_frame->close();
        m_frame = std::make_unique<CMainFrame>(app());
        QVERIFY(m_frame->Create());
        const QString ini = app().m_iniFile.GetFilePath();
        platform::profile::removeSection(ini, u"Window"_s);
        app().m_windowPlacement.ShowMaximised(*m_frame);
        QCOMPARE(m_frame->normalGeometry().size(), m_frame->screen()->availableGeometry().size());
        m_frame->close();   // writes the placement; the next start returns to it
        m_frame = std::make_unique<CMainFrame>(app());
        QVERIFY(m_frame->Create());
        const QRect stored(QPoint(platform::profile::readString(ini, u"Window"_s, u"Left"_s).toInt(),
                                  platform::profile::readString(ini, u"Window"_s, u"Top"_s).toInt()),
                           m_frame->screen()->availableGeometry().size());
        QCOMPARE(app().m_windowPlacement.NormalGeometry(*m_frame), stored);
    }

    // With no window manager the keyboard goes nowhere when a dialog closes.
    void theKeyboardComesBackWhenADialogCloses()
    {
        QDialog dialog(m_frame.get());
        dialog.show();
        dialog.hide();
        QApplication::setActiveWindow(nullptr);   // what such a desktop leaves
        QTRY_COMPARE(QApplication::activeWindow(), m_frame.get());
    }

    void screenshotOfTheEmptyWindow()
    {
        m_frame->resize(900, 500);
        const QString path = QCoreApplication::applicationDirPath() + u"/main_frame_empty.png"_s;
        const QImage shot = m_frame->grab().toImage();
        QVERIFY(shot.save(path));
        // The hint that no file is open is written in the text colour (black
        // from the shipped settings) across the top lines of the view, on the
        // white background; the rest of the view is empty.
        QWidget* view = m_frame->ActiveView();
        const QRect area(view->mapTo(m_frame.get(), QPoint(0, 0)), view->size());
        const int lines = 3 * view->fontMetrics().height();
        auto dark = [&](int top, int bottom) {
            int count = 0;
            for (int y = top; y < bottom; ++y)
                for (int x = area.left(); x <= area.right(); ++x) count += qGray(shot.pixel(x, y)) < 96;
            return count;
        };
        QVERIFY2(dark(area.top(), area.top() + lines) > 300, qPrintable(path));
        QCOMPARE(dark(area.top() + lines, area.bottom()), 0);
        QCOMPARE(shot.pixelColor(area.center()), QColor(Qt::white));
    }
};

int main(int argc, char** argv)
{
    CKinzoApp app(argc, argv);
    TestMainFrame test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_main_frame.moc"
