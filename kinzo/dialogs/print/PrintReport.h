#pragma once
// What a printed report is made of, and the one way the print dialogs get
// its grid. The grids of the reports belong to the views layer above this
// one, so that layer installs the builder at start-up (SetPrintGridBuilder);
// the dialogs only ask for a grid and print or show it.

#include "kinzo/data/AccountItemList.h"

#include <QDate>
#include <QString>

#include <functional>
#include <memory>

class CKinzoDoc;
class CXGrid;

enum PrintReportKind { ListReport = 0, DayReport = 1, MonthReport = 2, YearReport = 3, PrintReportCount = 4 };

struct _PrintRequest {
    int report = ListReport;
    QDate start;
    QDate end;
    int orientation = 1;   // of the summary grids: 1 accounts across, 2 accounts down
    QString fontName;      // an installed face
    int fontSize = 12;
    int expandLevel = 0;   // 0 収支まで .. 3 第３階層まで
    int startMonth = 1;    // the fiscal years of the years report and its title
    AccountItemList* tree = nullptr;   // the tree read for the report; null: the document's
};

// The grid of a report in print mode, built and paginated-ready (title set),
// or null when it could not be built (its own message already shown).
using PrintGridBuilder = std::function<std::unique_ptr<CXGrid>(CKinzoDoc&, const _PrintRequest&)>;

void SetPrintGridBuilder(PrintGridBuilder builder);
// Null without a builder installed.
std::unique_ptr<CXGrid> BuildPrintGrid(CKinzoDoc& document, const _PrintRequest& request);

// The names of the report list, by PrintReportKind.
QString PrintReportName(int report);
