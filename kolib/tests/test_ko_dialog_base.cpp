#include "KoTestSupport.h"

#include "kolib/CKoButton.h"
#include "kolib/CKoFormViewBase.h"
#include "kolib/CKoVDialogBase.h"
#include "kolib/KoColors.h"
#include "kolib/KoCommandEvent.h"
#include "kolib/KoMessageBox.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QScreen>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

class SampleDialog : public CKoVDialogBase {
public:
    SampleDialog() : CKoVDialogBase(200)
    {
        auto* layout = new QVBoxLayout(this);
        edit = new QLineEdit(this);
        notes = new QPlainTextEdit(this);
        menuButton = new CKoButton(u"メニュー(&M)"_s, this);
        layout->addWidget(edit);
        layout->addWidget(notes);
        layout->addWidget(menuButton);
        layout->addLayout(MakeOkCancelRow());
        FKeyMenu().Add(Qt::Key_F2, u"メニュー"_s, Qt::Key_M);
        connect(menuButton, &QPushButton::clicked, this, [this] { ++menuPresses; });
    }

    QLineEdit* edit;
    QPlainTextEdit* notes;
    CKoButton* menuButton;
    int menuPresses = 0;
    int okCalls = 0;

protected:
    void OnOK() override
    {
        ++okCalls;
        CKoVDialogBase::OnOK();
    }
};

// Controls placed by hand, as a dialog without a layout has them.
class PlacedDialog : public CKoVDialogBase {
public:
    PlacedDialog() : CKoVDialogBase(201)
    {
        field = new QLineEdit(this);
        field->setGeometry(10, 20, 100, 24);
        resize(300, 200);
    }
    QLineEdit* field;
};

class SampleView : public CKoFormViewBase {
public:
    SampleView() : CKoFormViewBase(101)
    {
        auto* layout = new QVBoxLayout(this);
        field = new QLineEdit(this);
        layout->addWidget(field);
    }
    QLineEdit* field;
};

// Stands for the main window around a view: counts the keys that reach it.
class Host : public QWidget {
public:
    int keys = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        ++keys;
        QWidget::keyPressEvent(event);
    }
};

class CommandSink : public QWidget {
public:
    QList<unsigned int> commands;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == KoCommandEvent::Type()) {
            commands << static_cast<KoCommandEvent*>(event)->CommandId();
            return true;
        }
        return QWidget::event(event);
    }
};

void showActive(QWidget& window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

}  // namespace

class TestKoDialogBase : public QObject {
    Q_OBJECT

    KoTestVoice m_voice;
    KoTestSettings m_settings;

private Q_SLOTS:
    void init()
    {
        m_settings.Settings().SetFontSize(9);
        m_settings.Settings().m_zoomEnabled = 1;
        m_voice.Clear();
    }

    void enterConfirmsOnlyOnOk()
    {
        SampleDialog dialog;
        showActive(dialog);
        dialog.edit->setFocus();
        QTest::keyClick(dialog.edit, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.okCalls, 0);

        dialog.notes->setFocus();
        QTest::keyClick(dialog.notes, Qt::Key_A);
        QTest::keyClick(dialog.notes, Qt::Key_Return);
        QCOMPARE(dialog.notes->toPlainText(), u"a\n"_s);
        QVERIFY(dialog.isVisible());

        dialog.menuButton->setFocus();
        QTest::keyClick(dialog.menuButton, Qt::Key_Enter);
        QCOMPARE(dialog.menuPresses, 1);
        QVERIFY(dialog.isVisible());

        dialog.OkButton()->setFocus();
        QTest::keyClick(dialog.OkButton(), Qt::Key_Return);
        QCOMPARE(dialog.okCalls, 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }

    void enterOnCancelAndEscapeCancel()
    {
        SampleDialog dialog;
        showActive(dialog);
        dialog.CancelButton()->setFocus();
        QTest::keyClick(dialog.CancelButton(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());

        SampleDialog speaking;
        showActive(speaking);
        KoAppReadText(u"長い説明を読み上げています"_s, 1, 0);
        speaking.edit->setFocus();
        QTest::keyClick(speaking.edit, Qt::Key_Escape);
        QVERIFY(!speaking.isVisible());
        QCOMPARE(speaking.result(), int(QDialog::Rejected));
        QCOMPARE(speaking.okCalls, 0);
    }

    void magnifyStepsAlongTheFontSizes()
    {
        SampleDialog dialog;
        showActive(dialog);
        QCOMPARE(dialog.ZoomStep(), 9);
        QCOMPARE(dialog.font().pointSize(), 9);
        const QSize designed = dialog.size();

        dialog.edit->setFocus();
        QTest::keyClick(dialog.edit, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(dialog.ZoomStep(), 12);
        QCOMPARE(dialog.font().pointSize(), 12);
        QCOMPARE(dialog.edit->font().pointSize(), 12);
        QVERIFY(dialog.width() > designed.width());

        QTest::keyClick(dialog.edit, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(dialog.edit, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(dialog.ZoomStep(), 9);   // the smallest step: nothing further
        // The dialog's own steps do not change the program's size.
        QCOMPARE(m_settings.Settings().m_fontSize, 9);
    }

    void magnifyAtTheLargestStepDoesNothing()
    {
        m_settings.Settings().SetFontSize(45);
        SampleDialog dialog;
        showActive(dialog);
        QCOMPARE(dialog.font().pointSize(), 45);
        const QSize before = dialog.size();
        dialog.edit->setFocus();
        QTest::keyClick(dialog.edit, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(dialog.ZoomStep(), 45);
        QCOMPARE(dialog.size(), before);
        QCOMPARE(dialog.font().pointSize(), 45);
    }

    void magnifyOffLeavesTheDialogAlone()
    {
        m_settings.Settings().SetFontSize(18);
        m_settings.Settings().m_zoomEnabled = 0;
        SampleDialog dialog;
        showActive(dialog);
        QCOMPARE(dialog.font().pointSize(), 9);
        dialog.edit->setFocus();
        QTest::keyClick(dialog.edit, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(dialog.font().pointSize(), 9);
    }

    void handPlacedControlsScaleFromTheirDesignedPlace()
    {
        PlacedDialog dialog;
        showActive(dialog);
        dialog.field->setFocus();
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(dialog.field, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(dialog.ZoomStep(), 16);
        QCOMPARE(dialog.field->geometry(), QRect(18, 36, 178, 43));   // 16/9 of 10,20,100,24
        QCOMPARE(dialog.size(), QSize(533, 356));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(dialog.field, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(dialog.field->geometry(), QRect(10, 20, 100, 24));
        QCOMPARE(dialog.size(), QSize(300, 200));
    }

    void aMagnifiedDialogStaysOnTheScreen()
    {
        m_settings.Settings().SetFontSize(45);
        PlacedDialog dialog;
        showActive(dialog);
        const QRect screen = dialog.screen()->availableGeometry();
        QVERIFY(QSize(1500, 1000).width() > screen.width());   // 45/9 of 300 x 200 would not fit
        QVERIFY(screen.contains(dialog.frameGeometry()));
    }

    void functionKeysGoToTheMenu()
    {
        SampleDialog dialog;
        showActive(dialog);
        dialog.edit->setFocus();

        QTest::keyClick(dialog.edit, Qt::Key_F5);   // no entry: swallowed, silent
        QVERIFY(m_voice.Heard().isEmpty());
        QVERIFY(dialog.edit->text().isEmpty());

        QTest::keyPress(dialog.edit, Qt::Key_F2);
        QTest::keyPress(dialog.edit, Qt::Key_F2);   // still held: taken once
        QCOMPARE(m_voice.Heard(), QStringList{u"メニュー メニューを開く"_s});
        QCOMPARE(dialog.menuPresses, 0);   // Alt+M comes after the key
        QCoreApplication::processEvents();
        QCOMPARE(dialog.menuPresses, 1);
        QCOMPARE(QApplication::focusWidget(), dialog.menuButton);
        QTest::keyRelease(dialog.menuButton, Qt::Key_F2);

        m_voice.Clear();
        QTest::keyClick(dialog.menuButton, Qt::Key_F2);
        QCOMPARE(m_voice.Heard(), QStringList{u"メニュー メニューを開く"_s});
        QVERIFY(m_voice.Voice().GetRead());
    }

    void mainWindowMenuPostsItsCommand()
    {
        CommandSink sink;
        CKoVFKeyMenu menu(&sink);
        menu.Add(Qt::Key_F1, u"新規登録"_s, 32786);
        menu.Add(Qt::Key_F7, u"Sanbo起動"_s, 32996);
        QCOMPARE(menu.HandleMainKey(Qt::Key_F9), 0);
        QVERIFY(m_voice.Heard().isEmpty());
        QCOMPARE(menu.HandleMainKey(Qt::Key_F7), 1);
        QCOMPARE(m_voice.Heard(), QStringList{u"Sanbo起動 メニューを開く"_s});
        QVERIFY(sink.commands.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(sink.commands, QList<unsigned int>{32996});
    }

    void messageBoxSpeaksItsText()
    {
        QStringList shown, heardWhenShown;
        KoSetMessageAnswerer([&](const KoMessage& message) {
            shown << message.text;
            heardWhenShown = m_voice.HeardWithMarkers();
            return KoAnswer::Cancel;
        });
        QCOMPARE(KoMessageBox(nullptr, u"保存しますか？"_s, KoButtons::OkCancel), KoAnswer::Cancel);
        KoSetMessageAnswerer({});
        QCOMPARE(shown, QStringList{u"保存しますか？"_s});
        QCOMPARE(m_voice.Heard(), QStringList{u"保存しますか？"_s});
        // It cuts off what was being said and is heard to the end before the box is up.
        QCOMPARE(heardWhenShown, QStringList({CTranscriptReader::StopLine(), u"保存しますか？"_s,
                                              CTranscriptReader::WaitLine()}));
    }

    void viewFollowsColoursAndZoom()
    {
        Host host;
        auto* layout = new QVBoxLayout(&host);
        auto* view = new SampleView;
        layout->addWidget(view);
        view->OnInitialUpdate();
        showActive(host);
        QCOMPARE(view->palette().color(QPalette::Window), QColor(Qt::white));

        QVERIFY(m_settings.Ini().WriteFontColor(QColor(255, 255, 255)));
        QVERIFY(m_settings.Ini().WriteBackColor(QColor(0, 0, 0)));
        view->OnUpdate(nullptr, KoHintColorsChanged, {});
        QCOMPARE(view->palette().color(QPalette::Window), QColor(Qt::black));
        QCOMPARE(view->field->palette().color(QPalette::Text), QColor(Qt::white));

        m_settings.Settings().SetFontSize(18);
        view->OnUpdate(nullptr, KoHintZoomChanged, 2.0);
        QCOMPARE(view->field->font().pointSize(), 18);

        QSignalSpy zoomed(view, &CKoFormViewBase::ZoomChanged);
        view->field->setFocus();
        QTest::keyClick(view->field, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(m_settings.Settings().m_fontSize, 22);
        QCOMPARE(view->field->font().pointSize(), 22);
        QCOMPARE(zoomed.count(), 1);
        QCOMPARE(zoomed.at(0).at(0).toDouble(), 22 / 9.0);

        host.keys = 0;
        QTest::keyClick(view->field, Qt::Key_Escape);
        QCOMPARE(host.keys, 0);   // taken by the view

        QVERIFY(m_settings.Ini().WriteFontColor(QColor(0, 0, 0)));
        QVERIFY(m_settings.Ini().WriteBackColor(QColor(255, 255, 255)));
    }
};

QTEST_MAIN(TestKoDialogBase)
#include "test_ko_dialog_base.moc"
