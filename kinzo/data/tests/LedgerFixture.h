#pragma once
// A fresh data file copied from the template the build wrote, in a temporary
// folder, with an open connection and the two account roots.

#include "kinzo/data/CDBConnection.h"
#include "kinzo/data/CTableAccountItem.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class LedgerFixture {
public:
    QTemporaryDir dir;
    QString path;
    CDBConnection connection;
    CTableAccountItem accounts;
    _AccountItem income, expense;

    // Returns false (after a failed QVERIFY-style message) when the template
    // cannot be copied or opened.
    bool Create(const QString& name = QStringLiteral("ledger.kzd"))
    {
        path = dir.filePath(name);
        QFile::remove(path);
        if (!QFile::copy(QStringLiteral(KINZO_TEMPLATE_DIR "/_kinzoTemplate.kzd"), path)) return false;
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        if (connection.Open(path) != 1) return false;
        accounts.m_pConnection = &connection;
        income.name = QStringLiteral("収入");
        income.side = 1;
        income.code = QStringLiteral("1.");
        expense.name = QStringLiteral("支出");
        expense.side = 2;
        expense.code = QStringLiteral("2.");
        return accounts.AddItem(income) == DbStatus::Ok && accounts.AddItem(expense) == DbStatus::Ok;
    }

    // Adds a child item with the next code under the parent.
    _AccountItem AddChild(const _AccountItem& parent, const QString& name)
    {
        _AccountItem item = _AccountItem::ChildOf(parent, name);
        accounts.NextChildCode(parent, item.code);
        accounts.AddItem(item);
        return item;
    }
};
