// A ledger the user may not write: it opens with a notice that is shown and
// spoken, lists its entries, greys and refuses what would write, and keeps
// every byte of the file.

#include "kinzo/app/CKinzoApp.h"
#include "kinzo/app/CMainFrame.h"
#include "kinzo/app/KinzoCommands.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/tests/LedgerAppFixture.h"
#include "kinzo/views/CDayView.h"
#include "kinzo/views/CListGrid.h"
#include "kinzo/views/LedgerViews.h"

#include <QCryptographicHash>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestReadOnlyLedger : public QObject {
    Q_OBJECT

    LedgerAppFixture m_ledger;

    CMainFrame& frame() { return *m_ledger.App().MainFrame(); }
    static QByteArray hashOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                                              : QByteArray();
    }
    QStringList gridText()
    {
        auto* view = dynamic_cast<CDayView*>(frame().ActiveView());
        if (!view) return {};
        QStringList cells;
        for (int r = 0; r < view->Grid().GetRowCount(); ++r)
            for (int c = 0; c < view->Grid().GetColumnCount(); ++c) cells << view->Grid().GetCellText(r, c);
        return cells;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_ledger.Start();
        RegisterLedgerViews();
        m_ledger.App().m_splashMinimumMs = 0;
        QVERIFY(m_ledger.App().InitInstance({}));
    }

    void opensListsAndRefusesWrites()
    {
        QVERIFY(m_ledger.NewLedger());
        const int food = m_ledger.AddAccount(m_ledger.Root(2)->m_data.ID, u"食費"_s);
        QVERIFY(m_ledger.AddEntry(QDate::currentDate(), food, 1234, u"八百屋"_s));
        const QString path = m_ledger.Doc().PathName();
        QVERIFY(frame().NewDataFile(QString()));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const QByteArray before = hashOf(path);
        m_ledger.messages.clear();
        m_ledger.ClearHeard();

        QVERIFY(frame().OpenDataFile(path));
        QCOMPARE(m_ledger.messages, QStringList{u"読み取り専用で開きました。"_s});
        QVERIFY(m_ledger.Heard().contains(u"読み取り専用で開きました。"_s));
        QVERIFY(gridText().contains(u"1,234"_s));
        for (const int id : {CmdEntryNew, CmdEntryDelete, CmdFileDelete, CmdImportCsv, CmdAccountSettings}) {
            QVERIFY2(!frame().IsCommandEnabled(id), qPrintable(QString::number(id)));
            QVERIFY(!frame().RunCommand(id));
        }
        QVERIFY(frame().Action(CmdEntryNew) && !frame().Action(CmdEntryNew)->isEnabled());
        QVERIFY(frame().IsCommandEnabled(CmdFileSaveAs));  // a copy can still be made
        // What gets past the commands is refused by the file itself.
        QVERIFY(!m_ledger.AddEntry(QDate::currentDate(), food, 99));
        QVERIFY(!m_ledger.Doc().ImportAllCsv(m_ledger.home.path()));
        QCOMPARE(m_ledger.messages.last(), u"読み取り専用で開いたファイルは変更できません。"_s);
        QCOMPARE(hashOf(path), before);

        // A writable ledger offers them again.
        QVERIFY(m_ledger.NewLedger());
        QVERIFY(frame().IsCommandEnabled(CmdFileDelete));
    }
};

int main(int argc, char** argv)
{
    CKinzoApp app(argc, argv);
    TestReadOnlyLedger test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_read_only_ledger.moc"
