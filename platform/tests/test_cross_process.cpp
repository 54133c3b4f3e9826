#include "platform/NamedEvent.h"
#include "platform/NamedMutex.h"
#include "platform/WindowMark.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace platform;
using namespace Qt::StringLiterals;

namespace {

// Another program holding something by name, until the test ends it.
class Probe {
public:
    Probe(const QStringList& args, const QString& folder, const QString& runtimeFolder = QString())
    {
        m_process.setWorkingDirectory(folder);
        if (!runtimeFolder.isEmpty()) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(u"XDG_RUNTIME_DIR"_s, runtimeFolder);
            m_process.setProcessEnvironment(environment);
        }
        m_process.start(QCoreApplication::applicationDirPath() + u"/platform_probe"_s, args);
    }
    ~Probe() { kill(); }
    bool ready() { return m_process.waitForReadyRead(5000) && m_process.readLine() == "ready\n"; }
    void kill() { m_process.kill(); m_process.waitForFinished(5000); }
    int finish() { m_process.waitForFinished(5000); return m_process.exitCode(); }

private:
    QProcess m_process;
};

}  // namespace

class TestCrossProcess : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QTemporaryDir m_runtimes;
    QString unique(const char* what) const
    {
        return u"%1_%2_%3"_s.arg(QString::fromLatin1(what)).arg(QCoreApplication::applicationPid())
            .arg(QDateTime::currentMSecsSinceEpoch());
    }

    // A runtime folder deeper than a socket address can hold, as under a
    // build tree in a long folder.
    QString longRuntimeFolder(const QString& name) const
    {
        QString path = m_runtimes.filePath(name) + u'/';
        path += QString(150 - path.size(), u'r');
        QDir().mkpath(path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("XDG_RUNTIME_DIR", longRuntimeFolder(u"ours"_s).toLocal8Bit());
    }

    void mutexIsExclusiveWithinAndAcrossProcesses()
    {
        const QString name = unique("mutex");
        NamedMutex first, second;
        QCOMPARE(first.create(name), NamedMutex::Result::Created);
        QCOMPARE(second.create(name), NamedMutex::Result::AlreadyExists);
        QVERIFY(!second.owned());
        first.release();
        QCOMPARE(second.create(name), NamedMutex::Result::Created);
        second.release();

        Probe other({u"hold-mutex"_s, name}, m_dir.path());
        QVERIFY(other.ready());
        QCOMPARE(first.create(name), NamedMutex::Result::AlreadyExists);
        other.kill();   // a mutex dies with its holder, as on Windows
        QCOMPARE(first.create(name), NamedMutex::Result::Created);
    }

    void markedWindowIsFoundAndAsked()
    {
        const QString name = unique("mark");
        QCOMPARE(activateMarkedWindow(name, 500), MarkedWindow::None);
        {
            Probe visible({u"mark"_s, name, u"visible"_s}, m_dir.path());
            QVERIFY(visible.ready());
            QCOMPARE(activateMarkedWindow(name), MarkedWindow::Visible);
            QVERIFY(QFile::exists(m_dir.filePath(name + u".asked"_s)));
        }
        QCOMPARE(activateMarkedWindow(name, 500), MarkedWindow::None);
        Probe hidden({u"mark"_s, name, u"hidden"_s}, m_dir.path());
        QVERIFY(hidden.ready());
        QCOMPARE(activateMarkedWindow(name), MarkedWindow::Hidden);

        // A mark in another deep runtime folder is another session's.
        Probe elsewhere({u"mark"_s, name + u"-other"_s, u"visible"_s}, m_dir.path(), longRuntimeFolder(u"theirs"_s));
        QVERIFY(elsewhere.ready());
        QCOMPARE(activateMarkedWindow(name + u"-other"_s, 500), MarkedWindow::None);
    }

    void eventStaysSetUntilReset()
    {
        const QString name = unique("event");
        NamedEvent waiter(name);
        QVERIFY(waiter.isValid());
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!waiter.wait(50));
        QVERIFY(clock.elapsed() >= 40);

        Probe setter({u"set-event"_s, name}, m_dir.path());
        QCOMPARE(setter.finish(), 0);
        QVERIFY(waiter.isSet());
        QVERIFY(waiter.wait(10));
        QVERIFY(waiter.wait(10));   // manual reset: still set
        QVERIFY(waiter.set());
        QVERIFY(waiter.reset());
        QVERIFY(!waiter.isSet());
        QVERIFY(!waiter.wait(10));
    }

    // Another session of the same user (its own runtime folder) neither meets
    // our single-instance lock nor reaches our event.
    void anotherSessionMeetsNeitherTheMutexNorTheEvent()
    {
        QTemporaryDir otherRuntime;
        QFile::setPermissions(otherRuntime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString mutexName = unique("session-mutex");
        const QString eventName = unique("session-event");
        NamedMutex ours;
        QCOMPARE(ours.create(mutexName), NamedMutex::Result::Created);
        Probe holder({u"hold-mutex"_s, mutexName}, m_dir.path(), otherRuntime.path());
        QVERIFY(holder.ready());   // it got the mutex we hold

        NamedEvent waiter(eventName);
        Probe setter({u"set-event"_s, eventName}, m_dir.path(), otherRuntime.path());
        QCOMPARE(setter.finish(), 0);
        QVERIFY(!waiter.isSet());
        Probe sameSession({u"set-event"_s, eventName}, m_dir.path());
        QCOMPARE(sameSession.finish(), 0);
        QVERIFY(waiter.isSet());
        waiter.reset();
    }

    void waitWakesWhenAnotherThreadSets()
    {
        const QString name = unique("event-thread");
        NamedEvent waiter(name);
        NamedEvent setter(name);
        std::unique_ptr<QThread> thread(QThread::create([&] { QThread::msleep(50); setter.set(); }));
        thread->start();
        QElapsedTimer clock;
        clock.start();
        QVERIFY(waiter.wait(5000));
        QVERIFY(clock.elapsed() < 4000);
        thread->wait();
        waiter.reset();
    }
};

QTEST_GUILESS_MAIN(TestCrossProcess)
#include "test_cross_process.moc"
