// The Jet SQL forms the program writes, translated and run on a real file.

#include "LedgerFixture.h"

#include "kinzo/data/CJetTranslator.h"
#include "kinzo/data/JetLike.h"
#include "kinzo/data/SqlText.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestJetSql : public QObject {
    Q_OBJECT

    LedgerFixture m_ledger;

    QString translated(const QString& jet)
    {
        JetStatement statement;
        QString error;
        if (!CJetTranslator::Translate(jet, statement, error)) return u"ERROR: "_s + error;
        // Date literals travel as parameters; shown here in their places.
        QString sql = statement.sql;
        for (qsizetype i = statement.parameters.size(); i > 0; --i)
            sql.replace(u"?"_s + QString::number(i), u"'"_s + statement.parameters[i - 1] + u"'"_s);
        return sql;
    }

    // The first column of the first row of a statement run on the ledger.
    QString scalar(const QString& jet)
    {
        QString error;
        const auto recordset = m_ledger.connection.Query(jet, error);
        if (!recordset) return u"ERROR: "_s + error;
        if (recordset->Next() != CDbRecordset::Step::Row) return u"ERROR: "_s + recordset->Error();
        return recordset->IsNull(0) ? u"NULL"_s : recordset->Text(0);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_ledger.Create()); }

    void literalsAndKeywords_data()
    {
        QTest::addColumn<QString>("jet");
        QTest::addColumn<QString>("sqlite");
        QTest::newRow("date") << u"SELECT * FROM 出納簿 WHERE 日付<=#2010/04/01#"_s
                              << u"SELECT * FROM 出納簿 WHERE 日付<='2010-04-01'"_s;
        QTest::newRow("month") << u"開始年月 > #2010/4#"_s << u"開始年月 > '2010-04-01'"_s;
        QTest::newRow("midnight") << u"日付 = #2010/04/01 0:00:00#"_s << u"日付 = '2010-04-01'"_s;
        QTest::newRow("time") << u"日付 < #2010/04/01 13:05:09#"_s << u"日付 < '2010-04-01 13:05:09'"_s;
        QTest::newRow("flags") << u"有効開始日使用 = True AND 有効終了日使用 = false"_s
                               << u"有効開始日使用 = 1 AND 有効終了日使用 = 0"_s;
        QTest::newRow("top") << u"SELECT TOP 1 * FROM 出納簿 ORDER BY 日付 DESC"_s
                             << u"SELECT * FROM 出納簿 ORDER BY 日付 DESC LIMIT 1"_s;
        QTest::newRow("identity") << u"SELECT @@IDENTITY"_s << u"SELECT last_insert_rowid()"_s;
        QTest::newRow("digit names") << u"UPDATE 定期支払 SET 1月 = 1, 12月 = 0"_s
                                     << u"UPDATE 定期支払 SET \"1月\" = 1, \"12月\" = 0"_s;
        QTest::newRow("brackets") << u"SELECT Format([日付],'yyyy/mm') FROM [出納簿]"_s
                                  << u"SELECT Format(\"日付\",'yyyy/mm') FROM \"出納簿\""_s;
        QTest::newRow("text untouched") << u"備考 = 'True #2010/01/01# [x] TOP 1 '';'"_s
                                        << u"備考 = 'True #2010/01/01# [x] TOP 1 '';'"_s;
        QTest::newRow("jet double quotes") << u"備考 = \"it's \"\"x\"\"\""_s << u"備考 = 'it''s \"x\"'"_s;
        QTest::newRow("view columns")
            << u"SELECT * FROM View_出納簿 WHERE 出納簿.ID = 3 AND 出納簿.備考 LIKE '%a%' AND 出納簿.日付 >= #2010/01/01# ORDER BY 日付, 出納簿.ID"_s
            << u"SELECT * FROM View_出納簿 WHERE \"出納簿.ID\" = 3 AND \"出納簿.備考\" LIKE '%a%' AND \"日付\" >= '2010-01-01' ORDER BY 日付, \"出納簿.ID\""_s;
        QTest::newRow("bad date") << u"日付 = #2010/02/30#"_s << u"ERROR: 日付の値が正しくありません: #2010/02/30#"_s;
        QTest::newRow("open quote") << u"備考 = 'abc"_s << u"ERROR: 引用符が閉じていません: 'abc"_s;
    }
    void literalsAndKeywords()
    {
        QFETCH(QString, jet);
        QFETCH(QString, sqlite);
        QCOMPARE(translated(jet), sqlite);
    }

    void operationsAreRecognised()
    {
        JetStatement s;
        QString error;
        QVERIFY(CJetTranslator::Translate(u"SELECT * INTO [Text;database=/tmp/out].出納簿.csv FROM 出納簿"_s, s, error));
        QCOMPARE(s.kind, JetStatement::Kind::ExportCsv);
        QCOMPARE(s.csvPath, u"/tmp/out/出納簿.csv"_s);
        QCOMPARE(s.table, u"出納簿"_s);
        QVERIFY(CJetTranslator::Translate(u"INSERT INTO 取引先 SELECT * FROM [Text;database=/tmp/in].取引先.csv"_s, s, error));
        QCOMPARE(s.kind, JetStatement::Kind::ImportCsv);
        QCOMPARE(s.csvPath, u"/tmp/in/取引先.csv"_s);
        QVERIFY(CJetTranslator::Translate(
            u"SELECT * INTO [;DATABASE=/a/new.kzd].[勘定科目] FROM [;DATABASE=/b/old.kzd].[勘定科目]"_s, s, error));
        QCOMPARE(s.kind, JetStatement::Kind::CopyTable);
        QCOMPARE(s.targetFile, u"/a/new.kzd"_s);
        QCOMPARE(s.sourceFile, u"/b/old.kzd"_s);
        QCOMPARE(s.table, u"勘定科目"_s);
        // Brackets, quotes and blanks in a folder's name are part of the path.
        QVERIFY(CJetTranslator::Translate(
            u"SELECT * INTO [;DATABASE=/a/家計[2010] 'x'/new.kzd].[勘定科目] FROM [;DATABASE=/b/[old]/o.kzd].[勘定科目]"_s, s,
            error));
        QCOMPARE(s.targetFile, u"/a/家計[2010] 'x'/new.kzd"_s);
        QCOMPARE(s.sourceFile, u"/b/[old]/o.kzd"_s);
        QVERIFY(CJetTranslator::Translate(u"SELECT * INTO [Text;database=/tmp/家計[2010]].出納簿.csv FROM 出納簿"_s, s, error));
        QCOMPARE(s.csvPath, u"/tmp/家計[2010]/出納簿.csv"_s);
    }

    void dateFunctions()
    {
        QCOMPARE(scalar(u"SELECT Format(#2010/04/05#,'yyyy/mm')"_s), u"2010/04"_s);
        QCOMPARE(scalar(u"SELECT Format(#2010/04/05#,'yy-m-d')"_s), u"10-4-5"_s);
        QCOMPARE(scalar(u"SELECT Year(#2010/04/05#)"_s), u"2010"_s);
        // Adding months keeps the day or takes the end of a shorter month.
        QCOMPARE(scalar(u"SELECT DateAdd('m',1,#2011/01/31#)"_s), u"2011-02-28"_s);
        QCOMPARE(scalar(u"SELECT DateAdd('m',1,#2012/01/31#)"_s), u"2012-02-29"_s);
        QCOMPARE(scalar(u"SELECT DateAdd('m',-1,#2011/03/31#)"_s), u"2011-02-28"_s);
        QCOMPARE(scalar(u"SELECT DateAdd('yyyy',1,#2012/02/29#)"_s), u"2013-02-28"_s);
        QCOMPARE(scalar(u"SELECT DateAdd('d',1,#2010/12/31#)"_s), u"2011-01-01"_s);
        // The fiscal year of a start month of April.
        QCOMPARE(scalar(u"SELECT Year(DateAdd('m',-3,#2011/03/31#))"_s), u"2010"_s);
        QCOMPARE(scalar(u"SELECT Year(DateAdd('m',-3,#2011/04/01#))"_s), u"2011"_s);
        QCOMPARE(scalar(u"SELECT Year(NULL)"_s), u"NULL"_s);
        QVERIFY(scalar(u"SELECT Year('not a date')"_s).startsWith(u"ERROR"_s));
    }

    void likeFollowsJet_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("matches");
        QTest::newRow("ascii case") << u"Electric Bill"_s << u"%bill%"_s << true;
        QTest::newRow("full-width case") << u"ＡＢＣ商店"_s << u"%ａｂｃ%"_s << true;
        QTest::newRow("width differs") << u"ABC"_s << u"%ａｂｃ%"_s << false;
        QTest::newRow("escaped percent") << u"100% juice"_s << u"%"_s + EscapeLike(u"0%"_s) + u"%"_s << true;
        QTest::newRow("escaped percent literal") << u"100 juice"_s << u"%"_s + EscapeLike(u"0%"_s) + u"%"_s << false;
        QTest::newRow("escaped underscore") << u"a_b"_s << u"%"_s + EscapeLike(u"a_b"_s) + u"%"_s << true;
        QTest::newRow("underscore literal") << u"axb"_s << u"%"_s + EscapeLike(u"a_b"_s) + u"%"_s << false;
        QTest::newRow("bracket") << u"x[1]y"_s << u"%"_s + EscapeLike(u"[1]"_s) + u"%"_s << true;
        QTest::newRow("backslash") << u"C:\\temp"_s << u"%:\\t%"_s << true;
        QTest::newRow("one character") << u"山田"_s << u"山_"_s << true;
        QTest::newRow("class") << u"b1"_s << u"[a-c]#"_s << false;
        QTest::newRow("negated class") << u"x"_s << u"[!abc]"_s << true;
        QTest::newRow("anchored") << u"abc"_s << u"b%"_s << false;
    }
    void likeFollowsJet()
    {
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QFETCH(bool, matches);
        QCOMPARE(JetLikeMatch(pattern, text), matches);
        const QString sql = u"SELECT '%1' LIKE '%2'"_s.arg(EscapeQuote(text), EscapeQuote(pattern));
        QCOMPARE(scalar(sql), matches ? u"1"_s : u"0"_s);
    }

    void identityIsOfThisConnection()
    {
        QString error;
        QVERIFY2(m_ledger.connection.Execute(u"INSERT INTO 取引先 (取引先名称, 表示順序) values ('a', 1)"_s, error),
                 qPrintable(error));
        const QString first = scalar(u"SELECT @@IDENTITY"_s);
        QVERIFY(m_ledger.connection.Execute(u"INSERT INTO 取引先 (取引先名称, 表示順序) values ('b', 2)"_s, error));
        QCOMPARE(scalar(u"SELECT @@IDENTITY"_s).toInt(), first.toInt() + 1);
    }

    void secondStatementIsRefused()
    {
        QString error;
        QVERIFY(!m_ledger.connection.Execute(u"DELETE FROM 取引先 WHERE 1=0; DROP TABLE 出納簿"_s, error));
        QCOMPARE(error, u"一度に実行できる文は一つだけです。"_s);
        QCOMPARE(scalar(u"SELECT COUNT(*) FROM 出納簿"_s), u"0"_s);
    }
};

QTEST_GUILESS_MAIN(TestJetSql)
#include "test_jet_sql.moc"
