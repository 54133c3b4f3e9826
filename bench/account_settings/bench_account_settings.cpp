// A ledger with 10,001 leaf items (ten groups of ten groups of a hundred
// expense items, and one income item): the document's reload of the tree
// with its three account menus, and "科目設定" from the main window's command
// until its grid is on screen, then its close (the tree reloaded and every
// view told). Runs headless; prints the median and 90th percentile of each
// against the aim of 500 ms for the opening, and checks that the menus stay
// within their command ids.

#include "ScratchHome.h"
#include "kinzo/app/CKinzoApp.h"
#include "kinzo/app/CMainFrame.h"
#include "kinzo/app/KinzoCommands.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/CAccountItemMenu.h"
#include "kinzo/dialogs/DialogCommands.h"
#include "kinzo/dialogs/accounts/CAccountGrid.h"
#include "kinzo/dialogs/accounts/CAcntSettingDialog.h"
#include "kinzo/views/LedgerViews.h"
#include "kolib/KoMessageBox.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr double aimMs = 500;
constexpr int groups = 10, subgroups = 10, leavesEach = 100;

struct Figures {
    double median = 0, p90 = 0;
};

Figures figuresOf(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    const size_t p90 = size_t(std::ceil(0.9 * double(ms.size()))) - 1;
    return {ms[ms.size() / 2], ms[std::min(p90, ms.size() - 1)]};
}

void print(const char* what, const std::vector<double>& ms, double aim = 0)
{
    const Figures f = figuresOf(ms);
    if (aim > 0)
        std::printf("%-44s median %8.1f ms  p90 %8.1f ms  (aim %.0f ms, median/aim %.2f)\n", what, f.median, f.p90, aim,
                    f.median / aim);
    else
        std::printf("%-44s median %8.1f ms  p90 %8.1f ms\n", what, f.median, f.p90);
}

bool exec(sqlite3* db, const QString& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) == SQLITE_OK) return true;
    std::fprintf(stderr, "%s\n", error);
    sqlite3_free(error);
    return false;
}

qint64 insertItem(sqlite3* db, const QString& name, int level, bool hasChildren, qint64 parent, int side,
                  const QString& code)
{
    exec(db, u"INSERT INTO 勘定科目 (科目名称, レベル, 子フラグ, 親科目ID, 仕分けID, 階層番号, 表示幅, 印刷幅)"
             " VALUES ('%1', %2, %3, %4, %5, '%6', 70, 70)"_s
                 .arg(name).arg(level).arg(hasChildren ? 1 : 0).arg(parent).arg(side).arg(code));
    return sqlite3_last_insert_rowid(db);
}

QString rootCode(sqlite3* db, int side, qint64& id)
{
    sqlite3_stmt* stmt = nullptr;
    QString code;
    const QByteArray sql = u"SELECT ID, 階層番号 FROM 勘定科目 WHERE レベル = 0 AND 仕分けID = %1"_s.arg(side).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW) {
        id = sqlite3_column_int64(stmt, 0);
        code = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)));
    }
    sqlite3_finalize(stmt);
    return code;
}

// The wide tree, written in one transaction straight into a new ledger.
bool makeLedger(CKinzoApp& app, const QString& path)
{
    if (!app.Document().OnNewDocument(path)) return false;
    app.Document().OnNewDocument(QString());
    app.m_connection.Close();
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK) return false;
    qint64 income = 0, expense = 0;
    const QString incomeCode = rootCode(db, 1, income), expenseCode = rootCode(db, 2, expense);
    bool ok = exec(db, u"BEGIN"_s) && !incomeCode.isEmpty() && !expenseCode.isEmpty();
    insertItem(db, u"給与"_s, 1, false, income, 1, incomeCode + u"1."_s);
    for (int g = 1; ok && g <= groups; ++g) {
        const QString gCode = expenseCode + QString::number(g) + u'.';
        const qint64 gId = insertItem(db, u"費目%1"_s.arg(g), 1, true, expense, 2, gCode);
        for (int s = 1; s <= subgroups; ++s) {
            const QString sCode = gCode + QString::number(s) + u'.';
            const qint64 sId = insertItem(db, u"細目%1-%2"_s.arg(g).arg(s), 2, true, gId, 2, sCode);
            for (int l = 1; l <= leavesEach; ++l)
                insertItem(db, u"品目%1-%2-%3"_s.arg(g).arg(s).arg(l), 3, false, sId, 2, sCode + QString::number(l) + u'.');
        }
    }
    ok = ok && exec(db, u"COMMIT"_s);
    sqlite3_close(db);
    return ok;
}

// From the main window's command until the dialog's grid is on screen, and
// from its close until the command has returned.
void timeSettings(CMainFrame& frame, int runs, std::vector<double>& open, std::vector<double>& close, int& rows)
{
    QElapsedTimer clock;
    for (int i = 0; i < runs; ++i) {
        auto* poll = new QTimer;
        poll->setInterval(0);
        QObject::connect(poll, &QTimer::timeout, poll, [&, poll] {
            auto* dialog = qobject_cast<CAcntSettingDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible()) return;
            poll->stop();
            poll->deleteLater();
            dialog->Grid().repaint();
            open.push_back(clock.nsecsElapsed() / 1e6);
            rows = dialog->Grid().GetRowCount();
            clock.start();
            dialog->RunCommand(CAcntSettingDialog::CmdClose);
        });
        poll->start();
        clock.start();
        frame.RunCommand(CmdAccountSettings);
        close.push_back(clock.nsecsElapsed() / 1e6);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    bench::UseScratchHome(home);
    CKinzoApp app(argc, argv);
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 11;
    KoSetMessageAnswerer([](const KoMessage& m) {
        std::fprintf(stderr, "message: %s\n", qPrintable(m.text));
        return KoAnswer::Ok;
    });
    RegisterLedgerViews();
    RegisterDialogCommands();
    app.m_splashMinimumMs = 0;
    QString reasons;
    app.InitialSetup(reasons);
    const QString book = QDir(home.path()).filePath(u"科目一万.kzd"_s);
    if (!makeLedger(app, book) || !app.InitInstance({book})) {
        std::fprintf(stderr, "could not build or open the ledger\n");
        return 1;
    }
    QCoreApplication::processEvents();
    CMainFrame& frame = *app.MainFrame();
    frame.RunCommand(CmdMonthView);
    QCoreApplication::processEvents();

    CKinzoDoc& document = app.Document();
    std::vector<double> reload;
    QElapsedTimer clock;
    for (int i = 0; i < runs; ++i) {
        clock.start();
        document.ReloadAccountItems();
        reload.push_back(clock.nsecsElapsed() / 1e6);
    }
    CAccountMenuSet& menus = CAccountMenuSet::Of(document);
    const int leafItems = menus.Leaf().ItemCount();
    std::printf("ledger: %d leaf items; %d runs each, the month view open\n", 1 + groups * subgroups * leavesEach, runs);
    std::printf("leaf menu: %d items, command ids 2024..%d (limit 12024); parent menu %d, expense menu %d items\n\n",
                leafItems, 2024 + leafItems - 1, menus.Parent().ItemCount(), menus.ExpenseLeaf().ItemCount());
    print("tree reload with its three menus", reload);

    std::vector<double> open, close;
    int rows = 0;
    timeSettings(frame, runs, open, close, rows);
    print("科目設定: command to grid on screen", open, aimMs);
    print("科目設定: close, reload and views told", close);
    std::printf("grid rows: %d\n", rows);
    return leafItems <= 10001 && 2024 + leafItems - 1 <= 12024 ? 0 : 1;
}
