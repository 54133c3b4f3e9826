#include "CKinzoIniFile.h"
#include "CSettingInfo.h"

#include "platform/PrivateProfile.h"

#include <QColor>
#include <QTemporaryDir>
#include <QtTest>

#include <array>

using namespace Qt::StringLiterals;
namespace profile = platform::profile;

class TestKinzoSettings : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    CKinzoIniFile m_ini;

    void put(const char* section, const char* key, const QString& value)
    {
        QVERIFY(profile::writeString(m_ini.GetFilePath(), QString::fromLatin1(section),
                                     QString::fromLatin1(key), value));
    }

private Q_SLOTS:
    void init()
    {
        const QString path = m_dir.filePath(u"Kinzo2.ini"_s);
        QFile::remove(path);
        m_ini.SetFilePath(path);
    }

    void missingKeysReadTheirDefaults()
    {
        QCOMPARE(m_ini.ReadDBFileName(), QString());
        QCOMPARE(m_ini.ReadStartMonth(), 1);
        QCOMPARE(m_ini.ReadSaveAnounceStartDays(), 0);
        QCOMPARE(m_ini.ReadReadLevel(), 1);
        QCOMPARE(m_ini.ReadPaymentDisp(), 3);
        QCOMPARE(m_ini.ReadLoanPaymentDisp(), 3);
        QCOMPARE(m_ini.ReadFontSize(), 9);
        QCOMPARE(m_ini.ReadMaxHistorys(), 30);
        QCOMPARE(m_ini.ReadPrintFontName(), u"MS Gothic"_s);
        QCOMPARE(m_ini.ReadPrintFontSize(), 12);
        QCOMPARE(m_ini.ReadPrintTableOrient(), 0);
        QCOMPARE(m_ini.ReadPaperOrientation(), 0);
    }

    void storedValuesOutOfRangeAreMended()
    {
        put("Setup", "StartMonth", u"0"_s);
        QCOMPARE(m_ini.ReadStartMonth(), 1);
        put("Setup", "StartMonth", u"13"_s);
        QCOMPARE(m_ini.ReadStartMonth(), 1);
        put("Setup", "StartMonth", u"4"_s);
        QCOMPARE(m_ini.ReadStartMonth(), 4);
        put("Print", "TableOrient", u"7"_s);
        QCOMPARE(m_ini.ReadPrintTableOrient(), 1);
        put("Setup", "ReadLevel", u"zero"_s);   // present but not a number: 0, not the default
        QCOMPARE(m_ini.ReadReadLevel(), 0);
    }

    void everyKeyRoundTrips()
    {
        QVERIFY(m_ini.WriteDBFileName(u"/home/利用者/家計簿 2026.kzd"_s));
        QVERIFY(m_ini.WriteStartMonth(4));
        QVERIFY(m_ini.WriteSaveAnounceStartDays(99));
        QVERIFY(m_ini.WriteAccountExpandLevel(3));
        QVERIFY(m_ini.WriteHideZeroAccount(1));
        QVERIFY(m_ini.WriteGridMoveMode(1));
        QVERIFY(m_ini.WriteReadLevel(0));
        QVERIFY(m_ini.WritePaymentDisp(1));
        QVERIFY(m_ini.WriteLoanPaymentDisp(2));
        QVERIFY(m_ini.WriteMaxHistorys(5));
        QVERIFY(m_ini.WritePrintFontName(u"IPAGothic"_s));
        QVERIFY(m_ini.WritePrintFontSize(10));
        QVERIFY(m_ini.WritePrintTableOrient(1));
        QVERIFY(m_ini.WritePrintAccountExpandLevel(2));
        QVERIFY(m_ini.WritePrinterName(u"PDF"_s));
        QVERIFY(m_ini.WritePaperSize(9));
        QVERIFY(m_ini.WritePaperOrientation(2));
        // What the file holds under the names users and older files know.
        const QList<std::array<QString, 3>> stored{
            {u"Setup"_s, u"DBFileName"_s, u"/home/利用者/家計簿 2026.kzd"_s}, {u"Setup"_s, u"StartMonth"_s, u"4"_s},
            {u"Setup"_s, u"SaveAnounceStartDays"_s, u"99"_s}, {u"Setup"_s, u"AccountExpandLevel"_s, u"3"_s},
            {u"Setup"_s, u"HideZeroAccount"_s, u"1"_s}, {u"Setup"_s, u"GridMoveMode"_s, u"1"_s},
            {u"Setup"_s, u"ReadLevel"_s, u"0"_s}, {u"Setup"_s, u"PaymentDisp"_s, u"1"_s},
            {u"Setup"_s, u"LoanPaymentDisp"_s, u"2"_s}, {u"Setup"_s, u"MaxHistorys"_s, u"5"_s},
            {u"Print"_s, u"FontName"_s, u"IPAGothic"_s}, {u"Print"_s, u"FontSize"_s, u"10"_s},
            {u"Print"_s, u"TableOrient"_s, u"1"_s}, {u"Print"_s, u"AccountExpandLevel"_s, u"2"_s},
            {u"Print"_s, u"PrinterName"_s, u"PDF"_s}, {u"Print"_s, u"PaperSize"_s, u"9"_s},
            {u"Print"_s, u"PaperOrientation"_s, u"2"_s}};
        for (const auto& [section, key, value] : stored)
            QVERIFY2(profile::readString(m_ini.GetFilePath(), section, key) == value, qPrintable(section + u'/' + key));
        QCOMPARE(profile::keys(m_ini.GetFilePath(), u"Setup"_s).size(), 10);
        QCOMPARE(profile::keys(m_ini.GetFilePath(), u"Print"_s).size(), 7);
        QCOMPARE(m_ini.ReadDBFileName(), u"/home/利用者/家計簿 2026.kzd"_s);
        QCOMPARE(m_ini.ReadStartMonth(), 4);
        QCOMPARE(m_ini.ReadSaveAnounceStartDays(), 99);
        QCOMPARE(m_ini.ReadAccountExpandLevel(), 3);
        QCOMPARE(m_ini.ReadHideZeroAccount(), 1);
        QCOMPARE(m_ini.ReadGridMoveMode(), 1);
        QCOMPARE(m_ini.ReadReadLevel(), 0);
        QCOMPARE(m_ini.ReadPaymentDisp(), 1);
        QCOMPARE(m_ini.ReadLoanPaymentDisp(), 2);
        QCOMPARE(m_ini.ReadMaxHistorys(), 5);
        QCOMPARE(m_ini.ReadPrintFontName(), u"IPAGothic"_s);
        QCOMPARE(m_ini.ReadPrintFontSize(), 10);
        QCOMPARE(m_ini.ReadPrintTableOrient(), 1);
        QCOMPARE(m_ini.ReadPrintAccountExpandLevel(), 2);
        QCOMPARE(m_ini.ReadPrinterName(), u"PDF"_s);
        QCOMPARE(m_ini.ReadPaperSize(), 9);
        QCOMPARE(m_ini.ReadPaperOrientation(), 2);
        // The print section has its own FontSize and AccountExpandLevel.
        QCOMPARE(m_ini.ReadFontSize(), 9);
        QCOMPARE(profile::readString(m_ini.GetFilePath(), u"Print"_s, u"AccountExpandLevel"_s), u"2"_s);
    }

    void valuesStoredUnderTheKnownNamesAreRead()
    {
        put("Setup", "DBFileName", u"/data/家計.kzd"_s);
        put("Setup", "StartMonth", u"7"_s);
        put("Setup", "SaveAnounceStartDays", u"21"_s);
        put("Setup", "AccountExpandLevel", u"2"_s);
        put("Setup", "HideZeroAccount", u"1"_s);
        put("Setup", "GridMoveMode", u"1"_s);
        put("Setup", "ReadLevel", u"0"_s);
        put("Setup", "PaymentDisp", u"2"_s);
        put("Setup", "LoanPaymentDisp", u"1"_s);
        put("Setup", "FontSize", u"22"_s);
        put("Setup", "FontColor", u"0000FF"_s);
        put("Setup", "BackColor", u"00FF00"_s);
        put("Setup", "MaxHistorys", u"7"_s);
        put("Print", "FontName", u"Noto Sans CJK JP"_s);
        put("Print", "FontSize", u"14"_s);
        put("Print", "TableOrient", u"1"_s);
        put("Print", "AccountExpandLevel", u"3"_s);
        put("Print", "PrinterName", u"事務所"_s);
        put("Print", "PaperSize", u"11"_s);
        put("Print", "PaperOrientation", u"1"_s);
        put("ListFormat", "SummaryHorzPrn", u"70,60"_s);
        QCOMPARE(m_ini.ReadDBFileName(), u"/data/家計.kzd"_s);
        QCOMPARE(m_ini.ReadStartMonth(), 7);
        QCOMPARE(m_ini.ReadSaveAnounceStartDays(), 21);
        QCOMPARE(m_ini.ReadAccountExpandLevel(), 2);
        QCOMPARE(m_ini.ReadHideZeroAccount(), 1);
        QCOMPARE(m_ini.ReadGridMoveMode(), 1);
        QCOMPARE(m_ini.ReadReadLevel(), 0);
        QCOMPARE(m_ini.ReadPaymentDisp(), 2);
        QCOMPARE(m_ini.ReadLoanPaymentDisp(), 1);
        QCOMPARE(m_ini.ReadFontSize(), 22);
        QCOMPARE(m_ini.ReadFontColor(), QColor(255, 0, 0));   // red in the low byte
        QCOMPARE(m_ini.ReadBackColor(), QColor(0, 255, 0));
        QCOMPARE(m_ini.ReadMaxHistorys(), 7);
        QCOMPARE(m_ini.ReadPrintFontName(), u"Noto Sans CJK JP"_s);
        QCOMPARE(m_ini.ReadPrintFontSize(), 14);
        QCOMPARE(m_ini.ReadPrintTableOrient(), 1);
        QCOMPARE(m_ini.ReadPrintAccountExpandLevel(), 3);
        QCOMPARE(m_ini.ReadPrinterName(), u"事務所"_s);
        QCOMPARE(m_ini.ReadPaperSize(), 11);
        QCOMPARE(m_ini.ReadPaperOrientation(), 1);
        QList<int> widths;
        m_ini.ReadListFormat(ListFormatGrid::SummaryHorz, 1, widths);
        QCOMPARE(widths, (QList<int>{70, 60}));
    }

    void columnWidthsHaveScreenAndPrintKeys()
    {
        QVERIFY(m_ini.WriteListFormat(ListFormatGrid::AccountVert, 1, {200, 90}));
        QVERIFY(m_ini.WriteListFormat(ListFormatGrid::SummaryVert2, 0, {120, 80, 80}));
        QCOMPARE(profile::readString(m_ini.GetFilePath(), u"ListFormat"_s, u"AccountVertPrn"_s), u"200,90"_s);
        QCOMPARE(profile::readString(m_ini.GetFilePath(), u"ListFormat"_s, u"SummaryVert2"_s), u"120,80,80"_s);
        QList<int> widths;
        m_ini.ReadListFormat(ListFormatGrid::AccountVert, 1, widths);
        QCOMPARE(widths, (QList<int>{200, 90}));
        m_ini.ReadListFormat(ListFormatGrid::AccountVert, 0, widths);
        QVERIFY(widths.isEmpty());
        QVERIFY(m_ini.ClearListFormats());
        m_ini.ReadListFormat(ListFormatGrid::SummaryVert2, 0, widths);
        QVERIFY(widths.isEmpty());
    }

    void historiesAreSeparateSections()
    {
        QVERIFY(m_ini.WriteImportFolders({u"/in/a"_s, u"/in/b"_s}));
        QVERIFY(m_ini.WriteExportFolders({u"/out"_s}));
        QVERIFY(m_ini.WriteSaveFolder({u"/save"_s}));
        QStringList list;
        m_ini.ReadImportFolders(list);
        QCOMPARE(list, (QStringList{u"/in/a"_s, u"/in/b"_s}));
        m_ini.ReadExportFolders(list);
        QCOMPARE(list, QStringList{u"/out"_s});
        QCOMPARE(profile::keys(m_ini.GetFilePath(), u"Import"_s), (QStringList{u"Folder1"_s, u"Folder2"_s}));
    }

    void shippedDefaultsHoldEveryKey()
    {
        const QString shipped = QStringLiteral(SHIPPED_INI);
        const QMap<QString, QStringList> keys{
            {u"Setup"_s, {u"DBFileName"_s, u"StartMonth"_s, u"SaveAnounceStartDays"_s, u"AccountExpandLevel"_s,
                          u"HideZeroAccount"_s, u"GridMoveMode"_s, u"ReadLevel"_s, u"PaymentDisp"_s,
                          u"LoanPaymentDisp"_s, u"FontSize"_s, u"FontColor"_s, u"BackColor"_s, u"MaxHistorys"_s}},
            {u"Print"_s, {u"FontName"_s, u"FontSize"_s, u"TableOrient"_s, u"AccountExpandLevel"_s,
                          u"PrinterName"_s, u"PaperSize"_s, u"PaperOrientation"_s}}};
        for (auto it = keys.begin(); it != keys.end(); ++it) {
            for (const QString& key : it.value())
                QVERIFY2(profile::keys(shipped, it.key()).contains(key), qPrintable(it.key() + u'/' + key));
            QCOMPARE(profile::keys(shipped, it.key()).size(), it.value().size());   // and no key misspelt
        }
        QStringList listKeys;
        for (const QString grid : {u"List"_s, u"SummaryHorz"_s, u"SummaryVert1"_s, u"SummaryVert2"_s,
                                   u"SummaryVert3"_s, u"AccountVert"_s})
            listKeys << grid << grid + u"Prn"_s;
        QCOMPARE(profile::keys(shipped, u"ListFormat"_s), listKeys);
        // The program's first values are the shipped ones.
        CSettingInfo first(m_ini);
        m_ini.SetFilePath(shipped);
        first.Load();
        QCOMPARE(first.m_fontSize, 12);
        QCOMPARE(first.m_startMonth, 1);
        QCOMPARE(first.m_saveAnounceStartDays, 15);
        QCOMPARE(first.m_accountExpandLevel, 1);
        QCOMPARE(first.m_readLevel, 1);
        QCOMPARE(first.m_maxHistorys, 30);
        QCOMPARE(m_ini.ReadFontColor(), QColor(0, 0, 0));
        QCOMPARE(m_ini.ReadBackColor(), QColor(255, 255, 255));
        QCOMPARE(m_ini.ReadPrintFontName(), u"IPAGothic"_s);
        CKinzoIniFile ini;
        ini.SetFilePath(shipped);
        QVERIFY(ini.ReadFontColor() != ini.ReadBackColor());
        QCOMPARE(ini.ReadStartMonth(), 1);
        QVERIFY(ini.ReadFontSize() >= 9);
    }

    void settingsLoadClampedAndSaveBack()
    {
        put("Setup", "FontSize", u"0"_s);
        put("Setup", "AccountExpandLevel", u"9"_s);
        put("Setup", "SaveAnounceStartDays", u"-4"_s);
        put("Notes", "Item1", u"電気代"_s);
        put("Notes", "Item2", u"ガス代"_s);
        CSettingInfo settings(m_ini);
        settings.Load();
        QCOMPARE(settings.m_fontSize, 9);
        QCOMPARE(settings.m_zoom, 1.0);
        QCOMPARE(settings.m_startMonth, 1);
        QCOMPARE(settings.m_accountExpandLevel, 3);
        QCOMPARE(settings.m_saveAnounceStartDays, 0);
        QCOMPARE(settings.m_notes, (QStringList{u"電気代"_s, u"ガス代"_s}));

        settings.m_startMonth = 4;
        settings.m_gridMoveMode = 1;
        settings.SetFontSize(18);
        settings.AddNote(u"水道代"_s);
        settings.Save();
        CSettingInfo again(m_ini);
        again.Load();
        QCOMPARE(again.m_startMonth, 4);
        QCOMPARE(again.m_gridMoveMode, 1);
        QCOMPARE(again.m_zoom, 2.0);
        QCOMPARE(again.m_notes, (QStringList{u"水道代"_s, u"電気代"_s, u"ガス代"_s}));

        again.Reset();
        QCOMPARE(again.m_fontSize, 9);
        QCOMPARE(again.m_saveAnounceStartDays, 15);
        QCOMPARE(again.m_accountExpandLevel, 1);
        QCOMPARE(again.m_firstYear, 2000);
        QVERIFY(again.m_notes.isEmpty());
    }

    void noteHistoryKeepsNewestFirstWithoutCopies()
    {
        CSettingInfo settings(m_ini);
        settings.m_maxHistorys = 5;
        for (const char* note : {"a", "b", "c", "d", "e"}) settings.AddNote(QString::fromLatin1(note));
        QCOMPARE(settings.m_notes, (QStringList{u"e"_s, u"d"_s, u"c"_s, u"b"_s, u"a"_s}));
        settings.AddNote(u"a"_s);   // the fifth moves to the top, the length stays
        QCOMPARE(settings.m_notes, (QStringList{u"a"_s, u"e"_s, u"d"_s, u"c"_s, u"b"_s}));
        settings.AddNote(u"f"_s);   // a new one pushes the oldest out
        QCOMPARE(settings.m_notes, (QStringList{u"f"_s, u"a"_s, u"e"_s, u"d"_s, u"c"_s}));
        settings.AddNote(u"f"_s);
        QCOMPARE(settings.m_notes.size(), 5);
        QCOMPARE(settings.m_notes.count(u"f"_s), 1);
        settings.AddNote(QString());
        QCOMPARE(settings.m_notes.first(), u"f"_s);
    }

    void tenNotesAreStoredAsMaxHistorysKeys()
    {
        put("Setup", "MaxHistorys", u"3"_s);
        CSettingInfo settings(m_ini);
        settings.Load();
        for (int i = 1; i <= 10; ++i) settings.m_notes << u"note %1"_s.arg(i);
        settings.Save();
        QCOMPARE(profile::keys(m_ini.GetFilePath(), u"Notes"_s),
                 (QStringList{u"Item1"_s, u"Item2"_s, u"Item3"_s}));
    }
};

QTEST_GUILESS_MAIN(TestKinzoSettings)
#include "test_kinzo_settings.moc"
