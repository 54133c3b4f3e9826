#include "SpeechdTestServer.h"

#include "voice/CSpeechDispatcher.h"
#include "voice/CVoiceReader.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// Speech through a real speech-dispatcher, started privately for this test.
class TestSpeechDispatcher : public QObject {
    Q_OBJECT

    SpeechdTestServer m_server{0.4};
    CVoiceReader m_voice;

    CSpeechDispatcher& adapter() { return *static_cast<CSpeechDispatcher*>(m_voice.Reader()); }

private Q_SLOTS:
    void initTestCase()
    {
        qunsetenv("VOICE_TRANSCRIPT");
        QString why;
        QVERIFY2(m_server.start(&why), qPrintable(why));
        QCOMPARE(m_voice.Init(), 1);
        QCOMPARE(m_voice.GetReaderID(), int(ReaderSpeechDispatcher));
        QCOMPARE(m_voice.GetScReaderName(), u"Speech Dispatcher"_s);
        QVERIFY(adapter().WaitUntilConnected(10000));
    }

    void spokenTextArrivesAndTheEndIsNoticed()
    {
        m_voice.ReadText(u"収入 5,000円"_s, 1, 1);   // returns once the service reports the end
        QCOMPARE(m_voice.Reader()->GetStatus(), 0);
        QVERIFY(m_server.spoken().contains(u"収入 5,000円"_s));
        QVERIFY(m_server.log().contains(u"収入 5,000円"_s));

        m_voice.ReadText(u"一つ目"_s, 1, 0);
        m_voice.ReadText(u"二つ目"_s, 0, 1);   // waits for the first, then for itself
        const QStringList spoken = m_server.spoken();
        QVERIFY(spoken.indexOf(u"一つ目"_s) >= 0);
        QCOMPARE(spoken.indexOf(u"二つ目"_s), spoken.indexOf(u"一つ目"_s) + 1);
    }

    void stopCancelsWhatIsSpokenAndQueued()
    {
        CScrReader& reader = *m_voice.Reader();
        reader.Read(u"話している途中"_s);
        reader.Read(u"待っている文"_s);
        QCOMPARE(reader.WaitStart(5000), 0);
        QCOMPARE(reader.GetStatus(), 1);
        m_voice.StopRead();
        m_voice.WaitRead(-1);
        QCOMPARE(reader.GetStatus(), 0);
        // A text queued after the stop is spoken after anything that survived it.
        m_voice.ReadText(u"止めた後の文"_s, 0, 1);
        QVERIFY(m_server.spoken().contains(u"止めた後の文"_s));
        QVERIFY(!m_server.spoken().contains(u"待っている文"_s));
    }

    void speechOffDiscardsOurQueue()
    {
        CScrReader& reader = *m_voice.Reader();
        reader.Read(u"最初の文"_s);
        reader.Read(u"捨てられる文"_s);
        QCOMPARE(m_voice.SetRead(0), 1);
        m_voice.ReadText(u"話さない文"_s, 1, 0);
        m_voice.WaitRead(-1);
        QCOMPARE(m_voice.SetRead(1), 0);
        // Queued behind anything left over, so heard only after it.
        m_voice.ReadText(u"また話す"_s, 0, 1);
        const QStringList spoken = m_server.spoken();
        QVERIFY(spoken.contains(u"また話す"_s));
        QVERIFY(!spoken.contains(u"捨てられる文"_s));
        QVERIFY(!spoken.contains(u"話さない文"_s));
    }

    void cleanupTestCase()
    {
        m_voice.Destroy();
        m_server.stop();
    }
};

QTEST_GUILESS_MAIN(TestSpeechDispatcher)
#include "test_speech_dispatcher.moc"
