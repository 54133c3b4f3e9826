// The grid as Orca meets it: a real X server (Xvfb), a private D-Bus session
// bus with the accessibility bus behind it, and the grid in a process of its
// own, asked over AT-SPI the way a screen reader asks. Checks that a move we
// speak ourselves hands Orca no focus change to read again, that entering the
// grid puts Orca on the cursor cell, and that the table answers its headers.
// Skipped, with the reason, where Xvfb or the buses cannot start.
#include "GridTestSupport.h"

#include "grid/CXGrid.h"

#include "kolib/CKoVComboBox.h"
#include "kolib/CKoVDateTimeStatic.h"
#include "kolib/CKoVListCtrl.h"
#include "kolib/KoMnemonic.h"

#include <QApplication>
#include <QLabel>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QProcess>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <QtTest>

#include <cstdio>

namespace {

// --- The grid's side: a window with a day-list-like grid. It says "ready"
// once the grid has the keyboard. On "move" from its standard input it presses
// Right twice and Down once, then says "moved"; on "sync" it renames a label
// "sync <n>", an event that reaches the bus after every event before it.
int Serve(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(u"grid"_s);
    auto* layout = new QVBoxLayout(&window);
    auto* syncMark = new QLabel;
    layout->addWidget(syncMark);
    auto* grid = new CXGrid;
    grid->setAccessibleName(u"リスト表示"_s);
    layout->addWidget(grid);
    // A list with columns, one row with a check box.
    auto* list = new CKoVListCtrl;
    list->setHeaderLabels({u"名前"_s, u"金額"_s});
    list->addTopLevelItem(new QTreeWidgetItem(QStringList{u"家賃"_s, u"50,000"_s}));
    list->addTopLevelItem(new QTreeWidgetItem(QStringList{u"水道"_s}));
    list->topLevelItem(0)->setCheckState(0, Qt::Checked);
    layout->addWidget(list);
    // The toolkit's labelled controls beside it, as the views and dialogs have them.
    auto* sideLabel = new QLabel(u"収支(&0)"_s);
    auto* side = new CKoVComboBox;
    side->addItems({u"収入"_s, u"支出"_s});
    side->setCurrentIndex(1);
    KoTieLabel(sideLabel, side);
    auto* dayLabel = new QLabel(u"登録日(&T)"_s);
    auto* day = new CKoVDateTimeStatic;
    day->SetDate(QDate(2024, 5, 1));
    KoTieLabel(dayLabel, day);
    for (QWidget* control : {static_cast<QWidget*>(sideLabel), static_cast<QWidget*>(side),
                             static_cast<QWidget*>(dayLabel), static_cast<QWidget*>(day)})
        layout->addWidget(control);
    grid->SetRowCount(4);
    grid->SetColumnCount(4);
    grid->SetFixedRowCount(1);
    grid->SetFixedColumnCount(1);
    const QStringList headers{u"No"_s, u"第１階層科目"_s, u"収入"_s, u"支出"_s};
    for (int c = 0; c < 4; ++c) grid->SetCellText(0, c, headers[c]);
    grid->SetCellText(1, 0, u"繰越"_s);
    grid->SetCellText(2, 0, u"1"_s);
    grid->SetCellText(2, 1, u"食費"_s);
    grid->SetCellText(2, 3, u"1,200"_s);
    grid->SetCellText(3, 0, u"合計"_s);
    grid->RecalcLayout();
    grid->EnableSpeech(1);
    grid->SetCurrentCell(2, 1);
    window.resize(600, 300);
    window.show();
    window.activateWindow();
    grid->setFocus();
    const auto say = [](const char* word) {
        std::puts(word);
        std::fflush(stdout);
    };
    const auto sayReadyOnFocus = [&] {
        if (!grid->hasFocus() || !window.isActiveWindow()) return false;
        say("ready");
        return true;
    };
    if (!sayReadyOnFocus()) {
        auto* waiting = new QObject(&app);
        QObject::connect(&app, &QApplication::focusChanged, waiting, [=] {
            if (sayReadyOnFocus()) waiting->deleteLater();
        });
    }
    int syncs = 0;
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char line[64] = {};
        if (!std::fgets(line, sizeof line, stdin)) {
            app.quit();
            return;
        }
        if (qstrcmp(line, "sync\n") == 0) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
            syncMark->setAccessibleName(u"sync %1"_s.arg(++syncs));
            return;
        }
        for (int key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down}) QTest::keyClick(grid, Qt::Key(key));
        say("moved");
    });
    return app.exec();
}

// --- The screen reader's side.
struct Ref {
    QString service;
    QString path;
};

QList<Ref> Refs(const QDBusArgument& arg)
{
    QList<Ref> refs;
    arg.beginArray();
    while (!arg.atEnd()) {
        Ref ref;
        QDBusObjectPath path;
        arg.beginStructure();
        arg >> ref.service >> path;
        arg.endStructure();
        ref.path = path.path();
        refs << ref;
    }
    arg.endArray();
    return refs;
}

Ref OneRef(const QVariant& value)
{
    Ref ref;
    const auto arg = value.value<QDBusArgument>();
    QDBusObjectPath path;
    arg.beginStructure();
    arg >> ref.service >> path;
    arg.endStructure();
    ref.path = path.path();
    return ref;
}

bool WaitForLine(QProcess& process, const QByteArray& line, int ms = 15000)
{
    QElapsedTimer clock;
    clock.start();
    QByteArray seen;
    while (clock.elapsed() < ms) {
        process.waitForReadyRead(100);
        seen += process.readAllStandardOutput();
        if (seen.contains(line)) return true;
        QCoreApplication::processEvents();
    }
    return false;
}

}  // namespace

class TestGridAtspi : public QObject {
    Q_OBJECT

    QProcess m_xvfb, m_bus, m_grid;
    QDBusConnection m_a11y{u"none"_s};
    QStringList m_focused;   // paths that got "focused" on, in order
    QList<Ref> m_renamed;    // objects whose names changed, in order
    int m_syncs = 0;

    // Until every event the grid's process sent before now has arrived: the
    // label it renames last tells.
    bool Sync()
    {
        const QString mark = u"sync %1"_s.arg(++m_syncs);
        m_renamed.clear();
        m_grid.write("sync\n");
        return QTest::qWaitFor([&] {
            for (const Ref& ref : std::as_const(m_renamed))
                if (Property(ref, u"Name"_s) == mark) return true;
            return false;
        }, 10000);
    }

    QDBusMessage Call(const Ref& ref, const QString& interface, const QString& method, const QVariantList& args = {})
    {
        QDBusMessage call = QDBusMessage::createMethodCall(ref.service, ref.path, interface, method);
        call.setArguments(args);
        return m_a11y.call(call, QDBus::Block, 5000);
    }
    QString Property(const Ref& ref, const QString& name)
    {
        const QDBusMessage reply = Call(ref, u"org.freedesktop.DBus.Properties"_s, u"Get"_s,
                                        {u"org.a11y.atspi.Accessible"_s, name});
        return reply.arguments().value(0).value<QDBusVariant>().variant().toString();
    }
    QList<Ref> Children(const Ref& ref)
    {
        const QDBusMessage reply = Call(ref, u"org.a11y.atspi.Accessible"_s, u"GetChildren"_s);
        return reply.arguments().isEmpty() ? QList<Ref>() : Refs(reply.arguments()[0].value<QDBusArgument>());
    }
    QString RoleName(const Ref& ref)
    {
        return Call(ref, u"org.a11y.atspi.Accessible"_s, u"GetRoleName"_s).arguments().value(0).toString();
    }
    // The first object found depth first whose name or role name is the one asked for.
    Ref Find(const Ref& ref, const QString& wanted, bool byRole, int depth = 0)
    {
        if ((byRole ? RoleName(ref) : Property(ref, u"Name"_s)) == wanted) return ref;
        if (depth > 8) return {};
        for (const Ref& child : Children(ref))
            if (const Ref found = Find(child, wanted, byRole, depth + 1); !found.path.isEmpty()) return found;
        return {};
    }
    Ref FindTable(const Ref& ref, int depth = 0)
    {
        const QDBusMessage reply = Call(ref, u"org.a11y.atspi.Accessible"_s, u"GetInterfaces"_s);
        if (reply.arguments().value(0).toStringList().contains(u"org.a11y.atspi.Table"_s)) return ref;
        if (depth > 8) return {};
        for (const Ref& child : Children(ref))
            if (const Ref found = FindTable(child, depth + 1); !found.path.isEmpty()) return found;
        return {};
    }

private Q_SLOTS:
    void onStateChanged(const QDBusMessage& message)
    {
        const QVariantList args = message.arguments();
        if (args.value(0).toString() == u"focused"_s && args.value(1).toInt() == 1) m_focused << message.path();
    }
    void onPropertyChanged(const QDBusMessage& message)
    {
        if (message.arguments().value(0).toString() == u"accessible-name"_s)
            m_renamed << Ref{message.service(), message.path()};
    }

    void initTestCase()
    {
        for (const char* tool : {"Xvfb", "dbus-daemon"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                QSKIP(qPrintable(u"%1 is not installed (tools/install-dependencies.sh)"_s.arg(QLatin1String(tool))));
        // A display the server finds free, which it writes to its output.
        m_xvfb.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1024x768x24"_s,
                                  u"-nolisten"_s, u"tcp"_s});
        if (!m_xvfb.waitForStarted(5000)) QSKIP("Xvfb cannot start");
        if (!QTest::qWaitFor([&] { return m_xvfb.canReadLine() || m_xvfb.state() != QProcess::Running; }, 15000)
            || !m_xvfb.canReadLine())
            QSKIP("Xvfb did not open a display");
        const QString display = u":"_s + QString::fromLatin1(m_xvfb.readLine()).trimmed();

        m_bus.start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address=1"_s});
        if (!m_bus.waitForStarted(5000) || !m_bus.waitForReadyRead(5000)) QSKIP("no private D-Bus session bus");
        const QString address = QString::fromUtf8(m_bus.readLine()).trimmed();
        QDBusConnection session = QDBusConnection::connectToBus(address, u"session"_s);
        if (!session.isConnected()) QSKIP("the private session bus does not answer");
        // The session bus starts the accessibility bus on the first question.
        const QDBusMessage reply = session.call(QDBusMessage::createMethodCall(
            u"org.a11y.Bus"_s, u"/org/a11y/bus"_s, u"org.a11y.Bus"_s, u"GetAddress"_s), QDBus::Block, 10000);
        const QString a11yAddress = reply.arguments().value(0).toString();
        if (a11yAddress.isEmpty())
            QSKIP(qPrintable(u"no accessibility bus (at-spi2-core): "_s + reply.errorMessage()));
        m_a11y = QDBusConnection::connectToBus(a11yAddress, u"a11y"_s);
        if (!m_a11y.isConnected()) QSKIP("the accessibility bus does not answer");
        m_a11y.connect({}, {}, u"org.a11y.atspi.Event.Object"_s, u"StateChanged"_s, this,
                       SLOT(onStateChanged(QDBusMessage)));
        m_a11y.connect({}, {}, u"org.a11y.atspi.Event.Object"_s, u"PropertyChange"_s, this,
                       SLOT(onPropertyChanged(QDBusMessage)));
        // Applications send only the events some listener registered for, as Orca does.
        for (const QString& event : {u"object:state-changed:focused"_s, u"focus:"_s,
                                     u"object:property-change:accessible-name"_s})
            Call({u"org.a11y.atspi.Registry"_s, u"/org/a11y/atspi/registry"_s}, u"org.a11y.atspi.Registry"_s,
                 u"RegisterEvent"_s, {event});

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"DISPLAY"_s, display);
        env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        env.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, address);
        env.insert(u"QT_LINUX_ACCESSIBILITY_ALWAYS_ON"_s, u"1"_s);
        env.insert(u"QT_ACCESSIBILITY"_s, u"1"_s);
        m_grid.setProcessEnvironment(env);
        m_grid.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }

    void cleanupTestCase()
    {
        for (QProcess* process : {&m_grid, &m_bus, &m_xvfb}) {
            if (process->state() == QProcess::NotRunning) continue;
            process->terminate();
            if (!process->waitForFinished(3000)) process->kill();
            process->waitForFinished(3000);
        }
    }

    void orcaHearsAMoveOnceAndFindsTheHeaders()
    {
        Transcript heard;
        // The grid's process speaks into the transcript the helper reads.
        QProcessEnvironment env = m_grid.processEnvironment();
        env.insert(u"VOICE_TRANSCRIPT"_s, qEnvironmentVariable("VOICE_TRANSCRIPT"));
        m_grid.setProcessEnvironment(env);
        m_grid.start(QCoreApplication::applicationFilePath(), {u"--serve"_s});
        QVERIFY(m_grid.waitForStarted(5000));
        QVERIFY2(WaitForLine(m_grid, "ready"), "the grid's window did not come up");

        // Find the table among the registry's applications, once the grid's
        // process has joined the registry.
        Ref table;
        const auto findTable = [&] {
            for (const Ref& app : Children({u"org.a11y.atspi.Registry"_s, u"/org/a11y/atspi/accessible/root"_s}))
                if (table = FindTable(app); !table.path.isEmpty()) return true;
            return false;
        };
        QVERIFY2(QTest::qWaitFor(findTable, 10000), "no table on the accessibility bus");
        QCOMPARE(Property(table, u"Name"_s), u"リスト表示"_s);

        // Entering the grid while our voice says the cell: Orca's focus is the
        // table, not the cell, which it would read with its row again.
        QTRY_VERIFY(!m_focused.isEmpty());
        QVERIFY(Sync());
        QCOMPARE(m_focused.last(), table.path);

        // Moves are ours to speak: no focus change for Orca to read again.
        const int focusChanges = m_focused.size();
        heard.Clear();
        m_grid.write("move\n");
        QVERIFY(WaitForLine(m_grid, "moved"));
        QVERIFY(Sync());
        QCOMPARE(heard.Lines(), (QStringList{u"1 収入  空白"_s, u"1 支出 1,200"_s, u"合計 支出  空白"_s}));
        QCOMPARE(m_focused.size(), focusChanges);

        // Headers as the table answers them through the bridge.
        const QDBusMessage column = Call(table, u"org.a11y.atspi.Table"_s, u"GetColumnHeader"_s, {3});
        QCOMPARE(Property(OneRef(column.arguments().value(0)), u"Name"_s), u"支出"_s);
        const QDBusMessage row = Call(table, u"org.a11y.atspi.Table"_s, u"GetRowHeader"_s, {1});
        QCOMPARE(Property(OneRef(row.arguments().value(0)), u"Name"_s), u"繰越"_s);

        // A combo box is named by its label, not by the entry it shows; the
        // date label by its caption and the date.
        const Ref window{table.service, u"/org/a11y/atspi/accessible/root"_s};
        const Ref combo = Find(window, u"combo box"_s, true);
        QVERIFY2(!combo.path.isEmpty(), "no combo box on the accessibility bus");
        QCOMPARE(Property(combo, u"Name"_s), u"収支"_s);
        // Its value through the text the bridge passes on, as Orca reads it.
        const QDBusMessage value = Call(combo, u"org.a11y.atspi.Text"_s, u"GetText"_s, {0, -1});
        QCOMPARE(value.arguments().value(0).toString(), u"支出"_s);
        QVERIFY2(!Find(window, u"登録日 2024年5月1日"_s, false).path.isEmpty(), "the date label's name lacks its date");

        // A list with columns is a list named by its window, a row to an item.
        const Ref list = Find(window, u"list"_s, true);
        QVERIFY2(!list.path.isEmpty(), "no list on the accessibility bus");
        QCOMPARE(Property(list, u"Name"_s), u"grid"_s);
        const QList<Ref> rows = Children(list);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(RoleName(rows[1]), u"list item"_s);
        QCOMPARE(Property(rows[0], u"Name"_s), u"名前 家賃 金額 50,000"_s);
        QCOMPARE(Call(rows[1], u"org.a11y.atspi.Accessible"_s, u"GetIndexInParent"_s).arguments().value(0).toInt(), 1);
    }
};

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "--serve") == 0) return Serve(argc, argv);
    QCoreApplication app(argc, argv);
    TestGridAtspi test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_grid_atspi.moc"
