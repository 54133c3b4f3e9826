#include "kinzo/data/AmountText.h"

#include <QtTest>

#include <limits>

using namespace Qt::StringLiterals;

class TestAmountText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void groupsDigitsInThreesFromTheRight_data()
    {
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << u"0"_s;
        QTest::newRow("three digits") << qint64(999) << u"999"_s;
        QTest::newRow("four digits") << qint64(1000) << u"1,000"_s;
        QTest::newRow("seven digits") << qint64(1234567) << u"1,234,567"_s;
        QTest::newRow("negative") << qint64(-500) << u"-500"_s;
        QTest::newRow("negative grouped") << qint64(-1234) << u"-1,234"_s;
        QTest::newRow("32-bit minimum") << qint64(-2147483648LL) << u"-2,147,483,648"_s;
        QTest::newRow("64-bit minimum") << std::numeric_limits<qint64>::min() << u"-9,223,372,036,854,775,808"_s;
    }
    void groupsDigitsInThreesFromTheRight()
    {
        QFETCH(qint64, amount);
        QFETCH(QString, text);
        QCOMPARE(FormatAmount(amount), text);
        bool ok = false;
        if (amount != std::numeric_limits<qint64>::min()) {
            QCOMPARE(ParseAmount(text, &ok), amount);
            QVERIFY(ok);
        }
    }

    void readsBackEmptyAsZeroAndRefusesOtherText()
    {
        bool ok = false;
        QCOMPARE(ParseAmount(u"", &ok), 0);
        QVERIFY(ok);
        QCOMPARE(ParseAmount(u" 12,000 ", &ok), 12000);
        QVERIFY(ok);
        QCOMPARE(ParseAmount(u"12円", &ok), 0);
        QVERIFY(!ok);
    }
};

QTEST_APPLESS_MAIN(TestAmountText)
#include "test_amount_text.moc"
