#pragma once
// The grids of the four printed reports, built in print mode from the same
// data as the screen: "リスト表示集計表" a CListGrid of the period's entries
// (a date column, "繰越", "合計" and the running balance), "日表示集計表",
// "月表示集計表" and "年表示集計表" the summary tables of days, months and
// fiscal years in the orientation asked for. Each carries the report's name
// and period as its printed title and the chosen font.

#include "kinzo/dialogs/print/PrintReport.h"

#include <memory>

class CKinzoDoc;
class CXGrid;

// Null after the grid's own message when its data could not be read.
std::unique_ptr<CXGrid> BuildReportGrid(CKinzoDoc& document, const _PrintRequest& request);

// The printed title: the report's name and its period.
QString ReportTitle(int report, const QDate& start, const QDate& end, int startMonth);
