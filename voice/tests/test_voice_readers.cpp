#include "voice/CPcTalker.h"
#include "voice/CVoiceReader.h"
#include "voice/CTranscriptReader.h"

#include "platform/Cp932Codec.h"
#include "platform/ProcessList.h"

#include <QKeyEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <list>

using namespace Qt::StringLiterals;

namespace {

// A process that carries a screen reader's program name: a copy of sleep.
class FakeProgram {
public:
    FakeProgram(const QString& folder, const QString& name)
    {
        const QString copy = folder + u'/' + name;
        QFile::copy(u"/bin/sleep"_s, copy);
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_process.start(copy, {u"600"_s});
        m_process.waitForStarted();
    }
    ~FakeProgram()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

private:
    QProcess m_process;
};

}  // namespace

class TestVoiceReaders : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_control;   // the fakes' steering folder
    QTemporaryDir m_programs;
    std::list<FakeProgram> m_running;

    void run(const QString& name) { m_running.emplace_back(m_programs.path(), name); }
    void steer(const char* file, const QByteArray& content)
    {
        QFile f(m_control->filePath(QString::fromLatin1(file)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QStringList calls() const
    {
        QFile f(m_control->filePath(u"calls.log"_s));
        if (!f.open(QIODevice::ReadOnly)) return {};
        return platform::cp932::decode(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
    void forgetCalls() { QFile::remove(m_control->filePath(u"calls.log"_s)); }
    QStringList callsNamed(const QString& prefix) const
    {
        return calls().filter(QRegularExpression(u"^"_s + prefix));
    }

private Q_SLOTS:
    void init()
    {
        m_control = std::make_unique<QTemporaryDir>();
        qputenv("FAKE_READER_DIR", m_control->path().toUtf8());
        qputenv("VOICE_CLIENT_LIBRARY_PATH", QByteArray(FAKE_READERS "/complete"));
        qunsetenv("VOICE_TRANSCRIPT");
        steer("busy", "1");
    }
    void cleanup() { m_running.clear(); }

    void withoutAReaderEveryCallIsASilentNoOp()
    {
        if (platform::isProcessRunning(u"speech-dispatcher"_s) || platform::isProcessRunning(u"orca"_s))
            QSKIP("a speech service runs on this machine");
        CVoiceReader voice;
        QCOMPARE(voice.Init(), 0);
        QCOMPARE(voice.GetReaderID(), 0);
        QCOMPARE(voice.GetScReaderName(), QString());
        voice.ReadText(u"聞こえない"_s, 1, 1);
        voice.ReadTextLimit(u"聞こえない"_s, 0, 3000);
        voice.WaitRead(-1);
        voice.StopRead();
        QCOMPARE(voice.SetRead(0), 0);
        QCOMPARE(voice.GetRead(), 0);
        QCOMPARE(voice.SetReadIME(0), 0);
        QCOMPARE(voice.IsPCTalker() + voice.IsFocusTalk() + voice.IsXPReader(), 0);
    }

    void readersAreDetectedInTheirOrder()
    {
        run(u"PCTalker"_s);
        run(u"XPRD"_s);
        run(u"FocusTalk"_s);
        CScrFactory all;
        QCOMPARE(all.GetScReaderId(), int(ReaderXPReader));
        QVERIFY(all.CreateScReader());
        QCOMPARE(all.GetScReaderName(), u"XPReader"_s);

        m_running.clear();
        run(u"FocusTalk"_s);
        run(u"pctalker.EXE"_s);   // names compare without regard to case
        steer("version", "08FFFFFF");
        CVoiceReader voice;
        QCOMPARE(voice.Init(), 1);
        QCOMPARE(voice.GetReaderID(), int(ReaderPcTalkerVista));
        QCOMPARE(voice.GetScReaderName(), u"PC-Talker Vista"_s);
        QCOMPARE(voice.IsPCTalker(), 1);

        m_running.clear();
        run(u"FocusTalk"_s);
        CVoiceReader focus;
        QCOMPARE(focus.Init(), 1);
        QCOMPARE(focus.GetScReaderName(), u"FocusTalk"_s);
        QCOMPARE(focus.IsFocusTalk(), 1);
    }

    void pcTalkerVersionsDecideTheName()
    {
        QCOMPARE(CPcTalker::IdForVersion(0x07FFFFFF), int(ReaderPcTalkerXP));
        QCOMPARE(CPcTalker::IdForVersion(0x08000000), int(ReaderPcTalkerVista));
        QCOMPARE(CPcTalker::IdForVersion(0x08FFFFFF), int(ReaderPcTalkerVista));
        QCOMPARE(CPcTalker::IdForVersion(0x09000000), int(ReaderPcTalker7));
        run(u"PCTalker"_s);
        steer("version", "07FFFFFF");
        CVoiceReader old;
        QCOMPARE(old.Init(), 1);
        QCOMPARE(old.GetScReaderName(), u"PC-Talker XP"_s);
    }

    void pcTalkerStopsOrWaitsThenReads()
    {
        run(u"PCTalker"_s);
        CVoiceReader voice;
        QCOMPARE(voice.Init(), 1);
        forgetCalls();
        voice.ReadText(u"家計簿を開きました"_s, 1, 0);
        QCOMPARE(calls(), (QStringList{u"PCTKVReset"_s, u"PCTKPRead|家計簿を開きました|4|1"_s}));

        forgetCalls();
        voice.ReadText(u"続き"_s, 0, 1);   // busy for one more query after the first text
        QCOMPARE(calls(), (QStringList{u"PCTKGetVStatus"_s, u"PCTKGetVStatus"_s, u"PCTKPRead|続き|4|1"_s,
                                       u"PCTKGetVStatus"_s, u"PCTKGetVStatus"_s}));
        forgetCalls();
        voice.ReadText(QString(), 1, 0);   // stops, says nothing
        QCOMPARE(calls(), QStringList{u"PCTKVReset"_s});
    }

    void speechOffSilencesUntilTurnedOnAgain()
    {
        run(u"PCTalker"_s);
        CVoiceReader voice;
        QCOMPARE(voice.Init(), 1);
        forgetCalls();
        QCOMPARE(voice.SetRead(0), 1);
        voice.ReadText(u"聞こえない"_s, 1, 0);
        QCOMPARE(voice.GetRead(), 0);
        QCOMPARE(voice.SetRead(1), 0);
        QCOMPARE(calls(), (QStringList{u"PCTKSetStatus|131075|1|null"_s, u"PCTKVReset"_s,
                                       u"PCTKSetStatus|131075|0|null"_s}));
        QCOMPARE(voice.SetReadIME(0), 1);   // PC-Talker: the same as SetRead
        QCOMPARE(voice.GetRead(), 0);
        QCOMPARE(voice.SetReadTreeList(1), 0);
    }

    void soundReadersWaitForSpeechToStart()
    {
        run(u"FocusTalk"_s);
        CVoiceReader voice;
        QCOMPARE(voice.Init(), 1);
        forgetCalls();
        voice.ReadText(u"残高"_s, 1, 0);
        QCOMPARE(calls(), (QStringList{u"FT_StopSound"_s, u"FT_OutputVoiceText|残高|0"_s, u"FT_IsSoundBusy"_s}));
        forgetCalls();
        QCOMPARE(voice.SetReadIME(0), 1);   // not PC-Talker: nothing changes
        QCOMPARE(voice.GetRead(), 1);
        QCOMPARE(voice.SetRead(0), 1);
        QCOMPARE(calls(), (QStringList{u"FT_PauseSound|1"_s, u"FT_StopSound"_s}));

        steer("fail", "FT_OutputVoiceText");
        QCOMPARE(voice.SetRead(1), 0);
        QCOMPARE(voice.Reader()->Read(u"失敗"_s), -1);

        m_running.clear();
        run(u"XPRD"_s);
        CVoiceReader xp;
        QCOMPARE(xp.Init(), 1);
        forgetCalls();
        xp.ReadText(u"支出"_s, 1, 0);
        QCOMPARE(calls(), (QStringList{u"SoundStop"_s, u"SoundMessage|支出|0"_s, u"SoundStatus"_s}));
    }

    void aFaultInTheReaderSilencesItForGood()
    {
        run(u"PCTalker"_s);
        CVoiceReader voice;
        QCOMPARE(voice.Init(), 1);
        steer("crash", "PCTKPRead");
        forgetCalls();
        voice.ReadText(u"落ちる"_s, 1, 0);
        QCOMPARE(voice.Reader()->m_enabled, 0);
        voice.ReadText(u"もう話さない"_s, 1, 1);
        QCOMPARE(callsNamed(u"PCTKPRead"_s).size(), 1);
        QCOMPARE(voice.GetRead(), 1);
        QCOMPARE(voice.SetRead(0), 0);
        QCOMPARE(voice.GetReaderID(), int(ReaderPcTalker7));
    }

    void limitedReadWaitsOnlyWithALimit()
    {
        run(u"PCTalker"_s);
        CVoiceReader voice;
        QCOMPARE(voice.Init(), 1);
        steer("busy", "always");
        forgetCalls();
        voice.ReadTextLimit(u"起動しました"_s, 1, 0);
        QCOMPARE(calls().last(), u"PCTKPRead|起動しました|4|1"_s);
        voice.ReadTextLimit(u"起動しました"_s, 1, 50);
        QVERIFY(calls().last() == u"PCTKGetVStatus"_s);
    }

    void pcTalkerWaitEndsOnAKeyPress()
    {
        run(u"PCTalker"_s);
        CVoiceReader voice;
        QCOMPARE(voice.Init(), 1);
        steer("busy", "always");
        voice.ReadText(u"長い文章"_s, 1, 0);
        QObject target;
        QCoreApplication::postEvent(&target, new QKeyEvent(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier));
        voice.WaitRead(-1);   // would never end without the key
        QVERIFY(voice.Reader()->GetStatus() != 0);
    }

    void readerWithoutARequiredEntryPointIsNotUsed()
    {
        qputenv("VOICE_CLIENT_LIBRARY_PATH", QByteArray(FAKE_READERS "/missing"));
        for (const QString& program : {u"FocusTalk"_s, u"XPRD"_s, u"PCTalker"_s}) {
            m_running.clear();
            run(program);
            CVoiceReader voice;
            QCOMPARE(voice.Init(), 0);
            QCOMPARE(voice.GetReaderID(), 0);
            voice.ReadText(u"無音"_s, 1, 1);
        }
        QVERIFY(callsNamed(u"(PCTKPRead|FT_Output|SoundMessage)"_s).isEmpty());
    }

    void transcriptComesFirstAndWritesLines()
    {
        const QString path = m_control->filePath(u"heard.txt"_s);
        qputenv("VOICE_TRANSCRIPT", path.toUtf8());
        run(u"XPRD"_s);
        CVoiceReader voice;
        QCOMPARE(voice.Init(), 1);
        QCOMPARE(voice.GetReaderID(), int(ReaderTranscript));
        QCOMPARE(voice.GetScReaderName(), u"Transcript"_s);
        voice.ReadText(u"一行目\r\n二行目"_s, 1, 1);
        voice.ReadText(QString(), 1, 0);
        QObject field;
        field.setProperty("text", u"金額 1,200"_s);
        voice.ReadControl(&field, 1, 0);
        voice.ReadControl(nullptr, 1, 0);
        voice.ReadText(u"続き\x1f"_s, 0, 0);
        voice.ReadTextLimit(u"起動"_s, 1, 3000);
        voice.WaitRead(-1);
        voice.StopRead();
        QCOMPARE(voice.SetRead(0), 1);
        voice.ReadText(u"聞こえない"_s, 1, 1);
        voice.StopRead();
        const QString stop = u"\x1fstop"_s, wait = u"\x1fwait"_s;
        QCOMPARE(CTranscriptReader::LinesWithMarkers(path),
                 QStringList({stop, u"一行目 二行目"_s, wait, stop, stop, u"金額 1,200"_s, wait, u"続き "_s, stop,
                              u"起動"_s, u"\x1fwait 3000"_s, wait, stop}));
        QCOMPARE(CTranscriptReader::SpokenLines(path), QStringList({u"一行目 二行目"_s, u"金額 1,200"_s, u"続き "_s, u"起動"_s}));
    }
};

QTEST_GUILESS_MAIN(TestVoiceReaders)
#include "test_voice_readers.moc"
