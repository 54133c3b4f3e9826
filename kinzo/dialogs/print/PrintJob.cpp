#include "kinzo/dialogs/print/PrintJob.h"

#include "CKinzoApp.h"
#include "grid/CXGrid.h"
#include "kolib/KoAppVoice.h"
#include "kolib/KoMessageBox.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

using namespace Qt::StringLiterals;

void PresetPrinter(QPrinter& printer)
{
    const CKinzoApp* app = CKinzoApp::Instance();
    if (!app) return;
    const CKinzoIniFile& ini = app->m_iniFile;
    // The stored printer, else the system's default queue, else a PDF file.
    QPrinterInfo chosen = QPrinterInfo::printerInfo(ini.ReadPrinterName());
    if (chosen.isNull()) chosen = QPrinterInfo::defaultPrinter();
    if (chosen.isNull()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
    } else {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(chosen.printerName());
    }
    printer.setPageSize(QPageSize(QPageSize::PageSizeId(ini.ReadPaperSize())));
    printer.setPageOrientation(QPageLayout::Orientation(ini.ReadPaperOrientation()));
}

namespace {

// Qt hands a job to the print system without saying whether it was taken, so
// a queue that has gone or is stopped would swallow the report in silence.
bool QueueTakesJobs(const QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::NativeFormat) return true;
    const QPrinterInfo queue = QPrinterInfo::printerInfo(printer.printerName());
    return !queue.isNull() && queue.state() != QPrinter::Error && queue.state() != QPrinter::Aborted;
}

void StorePrinter(const QPrinter& printer)
{
    CKinzoApp* app = CKinzoApp::Instance();
    if (!app) return;
    CKinzoIniFile& ini = app->m_iniFile;
    // A PDF file has no printer name: the stored printer stays.
    if (!printer.printerName().isEmpty()) ini.WritePrinterName(printer.printerName());
    ini.WritePaperSize(int(printer.pageLayout().pageSize().id()));
    ini.WritePaperOrientation(int(printer.pageLayout().orientation()));
}

}  // namespace

bool ChoosePrinter(QWidget* parent, QPrinter& printer)
{
    PresetPrinter(printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, 999);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted) return false;
    StorePrinter(printer);
    return true;
}

bool SetUpPrinter(QWidget* parent, QPrinter& printer)
{
    PresetPrinter(printer);
    QPageSetupDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    StorePrinter(printer);
    return true;
}

QString PageCountQuestion(int across, int down, int orientation)
{
    const int total = across * down;
    if (across <= 1 || down <= 1) return u"印刷枚数は、%1ページです。実行してよろしいですか？"_s.arg(total);
    const bool acrossMaximum = orientation == 1;
    const QString acrossText = u"横%1%2ページ"_s.arg(acrossMaximum ? u"最大"_s : QString()).arg(across);
    const QString downText = u"縦%1%2ページ"_s.arg(acrossMaximum ? QString() : u"最大"_s).arg(down);
    return u"印刷枚数は、%1ページ（%2 × %3）です。実行してよろしいですか？"_s.arg(total).arg(acrossText, downText);
}

bool SplitIntoPages(QWidget* parent, CXGrid& grid, QPrinter& printer)
{
    if (grid.ComputePages(&printer)) return true;
    KoMessageBox(parent, u"表が用紙に収まりません。フォントを小さくしてください。"_s);
    return false;
}

bool PrintReportGrid(QWidget* parent, CXGrid& grid, QPrinter& printer, int orientation)
{
    if (!SplitIntoPages(parent, grid, printer)) return false;
    const int across = int(grid.GetColumnPages().size());
    const int down = int(grid.GetRowPages().size());
    if (KoMessageBox(parent, PageCountQuestion(across, down, orientation), KoButtons::OkCancel) != KoAnswer::Ok)
        return false;
    if (!QueueTakesJobs(printer) || !grid.Print(&printer)) {
        KoMessageBox(parent, u"印刷に失敗しました。"_s);
        return false;
    }
    KoAppReadText(u"印刷を実行しました。"_s);
    return true;
}
