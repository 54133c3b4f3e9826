// The cash book's manual as it is shipped next to the program: the viewer
// finds every contents entry's page, and every command of the main window's
// menus and toolbar is explained somewhere in the body.
#include "tebiki/CTebikiDoc.h"

#include "CommandTable.h"
#include "kolib/KoMnemonic.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// What a user finds the command by in the menu: no letter, no "...", no key.
QString PlainMenuText(const QString& menuText)
{
    return KoStripMnemonic(menuText.section(u'\t', 0, 0)).remove(u"..."_s).trimmed();
}

QStringList MainWindowCommandNames()
{
    QStringList names;
    for (const MenuLayout& menu : MainMenuLayout()) {
        names << PlainMenuText(menu.title);
        for (const MenuEntry& entry : menu.entries)
            if (entry.kind == MenuEntry::Command) names << PlainMenuText(CommandTextOf(entry.id).menuText);
    }
    for (int id : ToolbarCommands())
        if (id != 0) names << PlainMenuText(CommandTextOf(id).menuText);
    names.removeDuplicates();
    return names;
}

}  // namespace

class TestShippedManual : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(m_doc.Load(QStringLiteral(KINZO_PROGRAM_DIR "/Kinzo_Manual.txt")), KINZO_PROGRAM_DIR);
    }

    // Both programs' manuals, read from where the programs look for them.
    void everyContentsEntryHasAPageWithText_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("least");
        QTest::newRow("cash book") << QStringLiteral(KINZO_PROGRAM_DIR "/Kinzo_Manual.txt") << u"KinzoVer2のヘルプ"_s << 20;
        QTest::newRow("calculator") << QStringLiteral(SANBO_PROGRAM_DIR "/Sanbo_Manual.txt") << u"Sanboのヘルプ"_s << 10;
    }

    void everyContentsEntryHasAPageWithText()
    {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QFETCH(int, least);
        CTebikiDoc doc;
        QVERIFY2(doc.Load(path), qPrintable(path));
        QCOMPARE(doc.WindowTitle(), title);
        QVERIFY(doc.Contents().size() > least);
        QCOMPARE(doc.Pages().size(), doc.Contents().size());
        for (int i = 1; i < doc.Contents().size(); ++i) {
            const QString heading = doc.Contents().at(i);
            QVERIFY2(CTebikiDoc::HeadingLevel(heading) > 0, qPrintable(heading));
            const QString page = doc.Page(i);
            QVERIFY2(page.startsWith(heading + u"\r\n"_s), qPrintable(heading));
            QVERIFY2(page.size() > heading.size() + 2, qPrintable(heading));
        }
    }

    void everyCommandOfTheMainWindowIsExplained()
    {
        const QString body = m_doc.Pages().mid(1).join(QString());
        const QStringList names = MainWindowCommandNames();
        QVERIFY(names.contains(u"新規作成"_s) && names.contains(u"ヘルプの表示"_s));
        QStringList missing;
        for (const QString& name : names)
            if (!body.contains(name)) missing << name;
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u", "_s)));
    }

private:
    CTebikiDoc m_doc;
};

QTEST_GUILESS_MAIN(TestShippedManual)
#include "test_shipped_manual.moc"
