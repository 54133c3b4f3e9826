// The calculator's sums as a user keys them, with what the display shows and
// what is said after each key.

#include "sanbo/CSanboEngine.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestSanboEngine : public QObject {
    Q_OBJECT

    // Keys as written on a receipt: digits, ".", "+-*/=", "t" tax, "s" sign.
    static QStringList Key(CSanboEngine& engine, const QString& keys)
    {
        QStringList heard;
        for (const QChar k : keys) {
            SanboFeedback said;
            if (k.isDigit() || k == u'.') said = engine.Digit(k);
            else if (k == u'+') said = engine.TwoOperand(CSanboEngine::Plus);
            else if (k == u'-') said = engine.TwoOperand(CSanboEngine::Minus);
            else if (k == u'*') said = engine.TwoOperand(CSanboEngine::Times);
            else if (k == u'/') said = engine.TwoOperand(CSanboEngine::Divide);
            else if (k == u'=') said = engine.Equal();
            else if (k == u't') said = engine.TaxIncluded();
            else if (k == u's') said = engine.ChangeSign();
            heard << (said.refused ? u"<beep>"_s : said.speech);
        }
        return heard;
    }

private Q_SLOTS:
    void pointIsTypedOnceAndSpokenAsDot()
    {
        CSanboEngine engine;
        QCOMPARE(Key(engine, u"1"_s), QStringList{u"1"_s});
        QCOMPARE(engine.Display(), u"1"_s);
        QCOMPARE(Key(engine, u"."_s), QStringList{u"ドット"_s});
        QCOMPARE(engine.Display(), u"1"_s);
        QCOMPARE(Key(engine, u"5"_s), QStringList{u"5"_s});
        QCOMPARE(engine.Display(), u"1.5"_s);
        QCOMPARE(Key(engine, u".2"_s), (QStringList{u"<beep>"_s, u"2"_s}));
        QCOMPARE(engine.Display(), u"1.52"_s);
    }

    void seventeenthCharacterIsRefused()
    {
        CSanboEngine engine;
        const QStringList heard = Key(engine, u"12345678901234567"_s);
        QCOMPARE(heard.count(u"<beep>"_s), 1);
        QCOMPARE(heard.last(), u"<beep>"_s);
        QCOMPARE(engine.Entry(), u"1234567890123456"_s);
        // Fourteen significant digits are shown, the rest in the exponent.
        QCOMPARE(engine.Display(), u"1.2345678901235E+15"_s);
    }

    void runningSumIsShownOnlyByEquals()
    {
        CSanboEngine engine;
        QCOMPARE(Key(engine, u"2+3+"_s), (QStringList{u"2"_s, u"プラス"_s, u"3"_s, u"プラス"_s}));
        QCOMPARE(engine.Display(), u"3"_s);
        QCOMPARE(engine.OperatorIndicator(), u"＋"_s);
        QCOMPARE(Key(engine, u"="_s), QStringList{u"5"_s});
        QCOMPARE(engine.Display(), u"5"_s);
        QCOMPARE(engine.OperatorIndicator(), u"＝"_s);
        // Equals again keeps the result.
        QCOMPARE(Key(engine, u"="_s), QStringList{u"5"_s});
    }

    void chainedOperatorsWorkLeftToRight()
    {
        CSanboEngine engine;
        Key(engine, u"12*3-6/5="_s);
        QCOMPARE(engine.Display(), u"6"_s);   // ((12 × 3) − 6) ÷ 5
        // A second operator in a row only replaces the first.
        Key(engine, u"+-4="_s);
        QCOMPARE(engine.Display(), u"2"_s);
        // A result goes on into the next sum, and a new number starts afresh.
        Key(engine, u"*10="_s);
        QCOMPARE(engine.Display(), u"20"_s);
        Key(engine, u"7+1="_s);
        QCOMPARE(engine.Display(), u"8"_s);
    }

    void divisionByZeroShowsInfinity()
    {
        CSanboEngine engine;
        QCOMPARE(Key(engine, u"5/0="_s).last(), u"∞"_s);
        QCOMPARE(engine.Display(), u"∞"_s);
        QCOMPARE(engine.OperatorIndicator(), u"＝"_s);
        QCOMPARE(engine.Accumulator(), 5.0);
    }

    void taxIncludedUsesTheRate()
    {
        CSanboEngine engine;
        QCOMPARE(Key(engine, u"100t"_s).last(), u"税込"_s);
        QCOMPARE(engine.Display(), u"108"_s);
        engine.SetTaxRate(10);
        engine.AllClear();
        Key(engine, u"1980t"_s);
        QCOMPARE(engine.Display(), u"2178"_s);
        // The taxed price takes part in a sum.
        Key(engine, u"+2="_s);
        QCOMPARE(engine.Display(), u"2180"_s);
    }

    void memoryOutlivesAllClear()
    {
        CSanboEngine engine;
        QCOMPARE(engine.MemoryStore().speech, u"メモリ保存"_s);
        QCOMPARE(engine.Memory(), 0.0);
        QCOMPARE(engine.MemoryIndicator(), u"M"_s);
        Key(engine, u"250"_s);
        QCOMPARE(engine.MemoryPlus().speech, u"メモリプラス"_s);
        Key(engine, u"120"_s);
        engine.MemoryPlus();
        QCOMPARE(engine.AllClear().speech, u"オールクリア"_s);
        QCOMPARE(engine.Display(), QString());
        QCOMPARE(engine.MemoryIndicator(), u"M"_s);
        QCOMPARE(engine.MemoryRecall().speech, u"メモリ呼出"_s);
        QCOMPARE(engine.Display(), u"370"_s);
        Key(engine, u"*2="_s);
        QCOMPARE(engine.Display(), u"740"_s);
        QCOMPARE(engine.MemoryClear().speech, u"メモリクリア"_s);
        QCOMPARE(engine.MemoryIndicator(), QString());
        QCOMPARE(engine.Memory(), 0.0);
    }

    void signChangeAndCorrections()
    {
        CSanboEngine engine;
        Key(engine, u"8+"_s);
        QCOMPARE(Key(engine, u"s"_s), QStringList{u"符号反転"_s});
        QCOMPARE(engine.OperatorIndicator(), QString());
        QCOMPARE(engine.Display(), u"-8"_s);

        CSanboEngine empty;
        Key(empty, u"s"_s);
        QCOMPARE(empty.Display(), QString());
        QCOMPARE(empty.Entry(), QString());
        QCOMPARE(empty.OperatorIndicator(), QString());

        CSanboEngine typing;
        Key(typing, u"1234"_s);
        QCOMPARE(typing.Backspace().speech, u"バックスペース"_s);
        QCOMPARE(typing.Display(), u"123"_s);
        Key(typing, u"+"_s);
        Key(typing, u"99"_s);
        QCOMPARE(typing.ClearEntry().speech, u"クリアエントリ"_s);
        QCOMPARE(typing.Display(), QString());
        Key(typing, u"7="_s);
        QCOMPARE(typing.Display(), u"130"_s);
    }

    void largeAndSmallNumbers()
    {
        CSanboEngine engine;
        Key(engine, u"99999999*99999999="_s);
        QCOMPARE(engine.Display(), u"9.9999998E+15"_s);
        Key(engine, u"1/3="_s);
        QCOMPARE(engine.Display(), u"0.33333333333333"_s);
        Key(engine, u"1/100000/100000="_s);
        QCOMPARE(engine.Display(), u"1E-10"_s);
        Key(engine, u"0.1+0.2="_s);
        QCOMPARE(engine.Display(), u"0.3"_s);
    }

    void pasteTakesOnlyANumber()
    {
        CSanboEngine engine;
        Key(engine, u"42"_s);
        for (const QString& junk : {u"abc"_s, u"12abc"_s, u"1.2.3"_s, u""_s, u"--5"_s, u"1,23"_s, u"."_s}) {
            QVERIFY2(engine.Paste(junk).refused, qPrintable(junk));
            QCOMPARE(engine.Display(), u"42"_s);
            QCOMPARE(engine.Entry(), u"42"_s);
        }
        QVERIFY(!engine.Paste(u" 1,234,567 "_s).refused);
        QCOMPARE(engine.Display(), u"1234567"_s);
        QVERIFY(!engine.Paste(u"－１２．５"_s).refused);
        QCOMPARE(engine.Display(), u"-12.5"_s);
        QVERIFY(!engine.Paste(u"+3."_s).refused);
        QCOMPARE(engine.Display(), u"3"_s);
        Key(engine, u"*2="_s);
        QCOMPARE(engine.Display(), u"6"_s);
    }
};

QTEST_APPLESS_MAIN(TestSanboEngine)
#include "test_sanbo_engine.moc"
