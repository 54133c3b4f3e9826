#pragma once
// The counterparties (table 取引先). Names are escaped here, so a name with an
// apostrophe from an old ledger or a CSV file is stored and found literally.

#include "kinzo/data/CTableBase.h"

struct _CaterData {
    int ID = 0;
    QString name;    // 取引先名称
    int order = 0;   // 表示順序
};

class CTableCater : public CTableBase {
public:
    CTableCater();

    // Inserts and sets cater.ID. InsertFailed.
    DbStatus AddCater(_CaterData& cater);
    // The counterparties with exactly this name.
    DbStatus FindCaterByName(const QString& name, QList<_CaterData>& caters);
    DbStatus UpdateCater(const _CaterData& cater);
    // Every counterparty, ordered by name.
    DbStatus GetAllCaters(QList<_CaterData>& caters);

    static _CaterData ParseCater(const ValueMap& row);

private:
    DbStatus SelectCaters(const QString& whereClause, const QString& orderClause, QList<_CaterData>& caters);
};
