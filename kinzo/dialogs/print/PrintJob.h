#pragma once
// Sending a built report grid to a printer: the printer of the settings
// (section "Print": "PrinterName", "PaperSize", "PaperOrientation"), the
// system printer dialog (which also prints to a PDF file), the page-count
// question and the printing itself. User-interface thread only.

#include <QString>

class CXGrid;
class QPrinter;
class QWidget;

// Sets the printer to the stored printer (the system's default queue when it
// is missing here, a PDF file when there is no queue), paper size and
// orientation.
void PresetPrinter(QPrinter& printer);
// The printer dialog preset from the settings, pages 1 to 999; on OK the
// chosen printer, paper size and orientation are stored. False on Cancel.
bool ChoosePrinter(QWidget* parent, QPrinter& printer);
// "印刷設定": the page set-up dialog preset the same way, stored on OK.
bool SetUpPrinter(QWidget* parent, QPrinter& printer);

// The page-count question; the long form when the pages run both across and
// down, "最大" on the across count for accounts across (orientation 1), on
// the down count otherwise.
QString PageCountQuestion(int across, int down, int orientation);

// Splits the grid into pages for the printer; false after saying that the
// table does not fit on the paper.
bool SplitIntoPages(QWidget* parent, CXGrid& grid, QPrinter& printer);

// Splits the grid into pages for the printer, asks, prints and says
// "印刷を実行しました。". False when the table could not be split, the user
// cancelled or printing failed, a missing or stopped queue too (each said in
// its own message).
bool PrintReportGrid(QWidget* parent, CXGrid& grid, QPrinter& printer, int orientation);
