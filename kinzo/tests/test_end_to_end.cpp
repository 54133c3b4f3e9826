// A first session with the cash book: start with an empty home folder, make a
// data file, register an income and an expense from the entry dialog by typing
// new account names, a counterparty and a note, delete one entry, and step to
// the previous day with entries, hearing everything through the transcript.

#include "kinzo/app/CKinzoApp.h"
#include "kinzo/app/CMainFrame.h"
#include "kinzo/app/KinzoCommands.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/views/CDayView.h"
#include "kinzo/views/CListGrid.h"
#include "kinzo/views/LedgerViews.h"
#include "kolib/KoMessageBox.h"
#include "voice/CTranscriptReader.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestEndToEnd : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    QStringList m_messages;

    CKinzoApp& app() { return *CKinzoApp::Instance(); }
    CMainFrame& frame() { return *app().MainFrame(); }
    CListGrid& grid() { return static_cast<CDayView*>(frame().ActiveView())->Grid(); }
    QStringList heard() const { return CTranscriptReader::SpokenLines(m_home.filePath(u"heard.txt"_s)); }
    QStringList row(int r)
    {
        QStringList cells;
        for (int c = 0; c < grid().GetColumnCount(); ++c) cells << grid().GetCellText(r, c);
        return cells;
    }
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget();
        if (!target) target = QApplication::activeModalWidget();
        if (!target) target = CKinzoApp::Instance()->MainFrame();
        QTest::keyClick(target, Qt::Key(key), modifiers);
    }
    // Types into the field of the dialog with that id, as the keyboard would.
    static void typeInto(QWidget* dialog, const char* id, const QString& text)
    {
        QWidget* field = dialog->findChild<QWidget*>(QString::fromLatin1(id));
        QVERIFY2(field, id);
        field->setFocus();
        if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit()) combo->lineEdit()->clear();
        if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->clear();
        QWidget* focus = QApplication::focusWidget();
        bool ascii = true;
        for (QChar c : text) ascii = ascii && c.unicode() < 128;
        if (ascii) {
            QTest::keyClicks(focus, text);
            return;
        }
        // Japanese arrives from the input method as committed text.
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(focus, &commit);
    }
    // Runs the step on the next dialog once it is shown.
    static void whenDialogOpens(std::function<void(QWidget*)> step)
    {
        auto* poll = new QTimer(qApp);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, step] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (!qobject_cast<QDialog*>(window) || !window->isVisible()) continue;
                poll->stop();
                poll->deleteLater();
                step(window);
                return;
            }
        });
        poll->start(20);
    }
    static void click(QWidget* dialog, const char* id)
    {
        auto* button = dialog->findChild<QAbstractButton*>(QString::fromLatin1(id));
        QVERIFY2(button, id);
        button->click();
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
        RegisterLedgerViews();
        app().m_splashMinimumMs = 0;
        QVERIFY(app().InitInstance({}));
        QVERIFY(QTest::qWaitForWindowExposed(&frame()));
        frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame()));
        QCOMPARE(heard().value(0), u"KinzoVer2を起動しました。"_s);
    }

    void createADataFileFromTheMenuKey()
    {
        const QString path = m_home.filePath(u"わが家の家計簿.kzd"_s);
        whenDialogOpens([path](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            // Typed into the name field, as the user would.
            dialog->setDirectory(QFileInfo(path).absolutePath());
            auto* name = dialog->findChild<QLineEdit*>(u"fileNameEdit"_s);
            QVERIFY(name);
            name->setText(QFileInfo(path).fileName());
            QCOMPARE(dialog->selectedFiles().value(0), path);
            QMetaObject::invokeMethod(dialog, "done", Qt::QueuedConnection, Q_ARG(int, QDialog::Accepted));
        });
        press(Qt::Key_N, Qt::ControlModifier);
        QTRY_VERIFY(app().Document().IsOpen());
        frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame()));
        QCOMPARE(frame().windowTitle(), u"KinzoVer2 - わが家の家計簿"_s);
        QCOMPARE(frame().ActiveFormId(), 101);
        QCOMPARE(row(1).value(0), u"繰越"_s);
    }

    void registerAnIncomeAndAnExpenseWithNewAccounts()
    {
        whenDialogOpens([](QWidget* dialog) {
            typeInto(dialog, "1011", u"250000"_s);
            typeInto(dialog, "1010", u"給与"_s);
            typeInto(dialog, "1012", u"基本給"_s);
            typeInto(dialog, "1014", u"株式会社青葉"_s);
            typeInto(dialog, "1015", u"十二月分"_s);
            click(dialog, "1049");
            typeInto(dialog, "1011", u"1200"_s);
            auto* side = dialog->findChild<QComboBox*>(u"1009"_s);
            side->setFocus();
            press(Qt::Key_Down);   // 支出
            typeInto(dialog, "1010", u"食費"_s);
            typeInto(dialog, "1012", u"外食"_s);
            typeInto(dialog, "1014", QString());
            typeInto(dialog, "1015", u"昼食"_s);
            click(dialog, "1049");
            click(dialog, "1");     // 閉じる
        });
        press(Qt::Key_F1);   // the function-key menu runs its command after the key
        QTRY_COMPARE(heard().count(u"新規登録しました。"_s), 2);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(u'|')));
        QVERIFY(heard().contains(u"新規登録 メニューを開く"_s));

        QCOMPARE(grid().GetRowCount(), 5);
        QCOMPARE(row(1), (QStringList{u"繰越"_s, {}, {}, {}, {}, {}, {}, {}, u"0"_s}));
        QCOMPARE(row(2), (QStringList{u"1"_s, u"給与"_s, u"基本給"_s, {}, u"250,000"_s, u"0"_s, u"株式会社青葉"_s,
                                      u"十二月分"_s, u"250,000"_s}));
        QCOMPARE(row(3), (QStringList{u"2"_s, u"食費"_s, u"外食"_s, {}, u"0"_s, u"1,200"_s, {}, u"昼食"_s,
                                      u"248,800"_s}));
        QCOMPARE(row(4), (QStringList{u"合計"_s, {}, {}, {}, u"250,000"_s, u"1,200"_s, {}, {}, u"248,800"_s}));
    }

    void theCursorCellIsSpokenWhenItMoves()
    {
        frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame()));
        grid().setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), &grid());
        grid().SetCurrentCell(2, 1);
        press(Qt::Key_Down);
        QCOMPARE(grid().GetCurrentCell().row, 3);
        QVERIFY2(heard().last().contains(u"食費"_s), qPrintable(heard().last()));
    }

    void deleteAnEntryWithF3()
    {
        m_messages.clear();
        press(Qt::Key_F3);
        QTRY_COMPARE(heard().last(), u"データを削除しました。"_s);
        QCOMPARE(m_messages, QStringList{u"「No 2 食費 外食 」のデータを削除してよろしいですか？"_s});
        QCOMPARE(heard().last(), u"データを削除しました。"_s);
        QCOMPARE(grid().GetRowCount(), 4);
        QCOMPARE(row(3), (QStringList{u"合計"_s, {}, {}, {}, u"250,000"_s, u"0"_s, {}, {}, u"250,000"_s}));
    }

    void stepToThePreviousDayWithEntries()
    {
        press(Qt::Key_Right, Qt::ControlModifier);   // the next day: nothing booked
        QCOMPARE(app().m_currentDate, QDate::currentDate().addDays(1));
        QCOMPARE(grid().GetRowCount(), 3);
        QCOMPARE(row(2).value(8), u"250,000"_s);   // the carry-over is the balance so far
        QVERIFY(frame().RunCommand(CmdPreviousDateWithData));
        QCOMPARE(app().m_currentDate, QDate::currentDate());
        QCOMPARE(row(2).value(1), u"給与"_s);
        QVERIFY(m_messages.size() == 1);
    }
};

int main(int argc, char** argv)
{
    CKinzoApp app(argc, argv);
    TestEndToEnd test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_end_to_end.moc"
