#include "kinzo/dialogs/print/CKinzoPrintDialog.h"

#include "CKinzoApp.h"
#include "grid/CXGrid.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/DbStatus.h"
#include "kinzo/data/FiscalYear.h"
#include "kinzo/dialogs/print/CPrintPreviewDialog.h"
#include "kinzo/dialogs/print/PrintFont.h"
#include "kinzo/dialogs/print/PrintJob.h"
#include "kolib/CKoEdit.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/CKoVDateTimeCtrl.h"
#include "kolib/KoAppVoice.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoMnemonic.h"

#include <QFontDialog>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const QString orientationTexts[2] = {u"科目を横方向に表示"_s, u"科目を縦方向に表示"_s};
const QString expandTexts[4] = {u"収支まで"_s, u"第１階層まで"_s, u"第２階層まで"_s, u"第３階層まで"_s};

QLabel* AddRow(QWidget* owner, QGridLayout* grid, const QString& caption, QWidget* field)
{
    auto* label = new QLabel(caption, owner);
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    KoTieLabel(label, field);
    return label;
}

}  // namespace

CKinzoPrintDialog::CKinzoPrintDialog(QWidget* parent, CKinzoDoc& document, int report, const QDate& start,
                                     const QDate& end)
    : CKoVDialogBase(ResourceId, parent), m_document(document),
      m_initialReport(std::clamp(report, 0, PrintReportCount - 1)),
      m_initialStart(start.isValid() ? start : QDate::currentDate()),
      m_initialEnd(end.isValid() ? end : m_initialStart)
{
    setWindowTitle(u"印刷"_s);
    BuildControls();
    BuildButtons();
}

void CKinzoPrintDialog::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    m_reports = new QListWidget(this);
    m_reports->setObjectName(u"1150"_s);
    for (int i = 0; i < PrintReportCount; ++i) m_reports->addItem(PrintReportName(i));
    // All four reports in sight, at every magnification.
    m_reports->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_reports->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    AddRow(this, grid, u"帳票(&R)"_s, m_reports);
    m_startPicker = new CKoVDateTimeCtrl(this);
    m_startPicker->setObjectName(u"1026"_s);
    AddRow(this, grid, u"開始(&B)"_s, m_startPicker);
    m_endPicker = new CKoVDateTimeCtrl(this);
    m_endPicker->setObjectName(u"1164"_s);
    AddRow(this, grid, u"終了(&E)"_s, m_endPicker);
    m_orientation = new CKoVComboBox(this);
    m_orientation->setObjectName(u"1169"_s);
    m_orientation->Setup(u"表の向き(&O)"_s);
    for (const QString& text : orientationTexts) m_orientation->addItem(text);
    AddRow(this, grid, u"表の向き(&O)"_s, m_orientation);
    m_fontEdit = new CKoEdit(this);
    m_fontEdit->setObjectName(u"1182"_s);
    m_fontEdit->setReadOnly(true);
    m_fontEdit->SetSpokenName(u"フォント"_s);
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(m_fontEdit, 1);
    auto* fontButton = new CKoButton(u"ﾌｫﾝﾄ選択(&F)..."_s, this);
    fontButton->setObjectName(u"1181"_s);
    fontRow->addWidget(fontButton);
    auto* fontLabel = new QLabel(u"フォント"_s, this);
    const int fontLine = grid->rowCount();
    grid->addWidget(fontLabel, fontLine, 0);
    grid->addLayout(fontRow, fontLine, 1);
    KoTieLabel(fontLabel, m_fontEdit);
    m_expand = new CKoVComboBox(this);
    m_expand->setObjectName(u"1012"_s);
    m_expand->Setup(u"科目の展開(&L)"_s);
    for (const QString& text : expandTexts) m_expand->addItem(text);
    AddRow(this, grid, u"科目の展開(&L)"_s, m_expand);
    connect(fontButton, &QPushButton::clicked, this, [this] { ChooseFont(); });
    connect(m_reports, &QListWidget::currentRowChanged, this, [this](int row) {
        OnReportChanged(row);
        // The user's choice is said as the combo boxes say theirs.
        if (m_reports->hasFocus()) KoAppReadText(PrintReportName(row));
    });
}

void CKinzoPrintDialog::BuildButtons()
{
    auto* buttons = new QHBoxLayout;
    auto* preview = new CKoButton(u"帳票確認(&T)..."_s, this);
    preview->setObjectName(u"1142"_s);
    auto* setup = new CKoButton(u"印刷設定(&S)..."_s, this);
    setup->setObjectName(u"1171"_s);
    buttons->addWidget(preview);
    buttons->addWidget(setup);
    buttons->addStretch(1);
    buttons->addWidget(MakeOkButton(u"印刷（&P）..."_s));
    buttons->addWidget(MakeCancelButton(u"閉じる(&C)"_s));
    static_cast<QBoxLayout*>(layout())->addLayout(buttons);
    connect(preview, &QPushButton::clicked, this, [this] { ShowPreview(); });
    connect(setup, &QPushButton::clicked, this, [this] {
        QPrinter printer(QPrinter::HighResolution);
        SetUpPrinter(this, printer);
    });
}

void CKinzoPrintDialog::OnInitDialog()
{
    const CKinzoApp* app = CKinzoApp::Instance();
    m_reports->setCurrentRow(m_initialReport);
    OnReportChanged(m_initialReport);
    m_startPicker->setDate(m_initialStart);
    m_endPicker->setDate(m_initialEnd);
    m_orientation->setCurrentIndex(app && app->m_iniFile.ReadPrintTableOrient() >= 1 ? 1 : 0);
    if (app) {
        m_fontName = app->m_iniFile.ReadPrintFontName();
        m_fontSize = app->m_iniFile.ReadPrintFontSize();
    }
    m_fontEdit->setText(FontText());
    m_expand->setCurrentIndex(std::clamp(app ? app->m_iniFile.ReadPrintAccountExpandLevel() : 0, 0, 3));
    if (const DbStatus status = m_document.AccountTable().LoadTree(m_tree); status != DbStatus::Ok) {
        KoMessageBox(this, u"科目テーブル読み込みに失敗しました。\n(%1)"_s.arg(GetErrorMessage(status)));
    } else {
        m_treeRead = true;
    }
    m_reports->setFocus(Qt::OtherFocusReason);
}

// The pickers show what the report counts: days, months or years.
void CKinzoPrintDialog::OnReportChanged(int report)
{
    const int mode = report == YearReport ? 2 : report == MonthReport ? 1 : 0;
    m_startPicker->SetDisplayMode(mode);
    m_endPicker->SetDisplayMode(mode);
}

QString CKinzoPrintDialog::FontText() const
{
    return u"%1 ; %2 pnt"_s.arg(InstalledPrintFace(m_fontName)).arg(m_fontSize);
}

void CKinzoPrintDialog::SetPrintFont(const QString& face, int pointSize)
{
    m_fontName = face;
    if (pointSize > 0) m_fontSize = pointSize;
    m_fontEdit->setText(FontText());
}

void CKinzoPrintDialog::ChooseFont()
{
    QFont current(InstalledPrintFace(m_fontName));
    current.setPointSize(m_fontSize);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, current, this, u"フォント"_s);
    if (ok) SetPrintFont(chosen.family(), chosen.pointSize());
}

bool CKinzoPrintDialog::CheckPeriod()
{
    const QDate start = m_startPicker->date(), end = m_endPicker->date();
    switch (m_reports->currentRow()) {
    case MonthReport:
        if (end.year() * 12 + end.month() >= start.year() * 12 + start.month()) return true;
        KoMessageBox(this, u"終了年月が開始年月より前になっています。"_s);
        return false;
    case YearReport:
        if (end.year() >= start.year()) return true;
        KoMessageBox(this, u"終了年が開始年より前になっています。"_s);
        return false;
    default:
        if (end >= start) return true;
        KoMessageBox(this, u"終了年月日が開始年月日より前になっています。"_s);
        return false;
    }
}

_PrintRequest CKinzoPrintDialog::Request()
{
    _PrintRequest request;
    request.report = std::max(0, m_reports->currentRow());
    QDate start = m_startPicker->date(), end = m_endPicker->date();
    request.startMonth = CKinzoApp::StartMonth();
    if (request.report == MonthReport) {
        start = QDate(start.year(), start.month(), 1);
        end = QDate(end.year(), end.month(), 1).addMonths(1).addDays(-1);
    } else if (request.report == YearReport) {
        // The pickers name fiscal years.
        start = FiscalYearStart(start.year(), request.startMonth);
        end = FiscalYearEnd(end.year(), request.startMonth);
    }
    request.start = start;
    request.end = end;
    request.orientation = m_orientation->currentIndex() == 1 ? 2 : 1;
    request.fontName = InstalledPrintFace(m_fontName);
    request.fontSize = m_fontSize;
    request.expandLevel = std::max(0, m_expand->currentIndex());
    request.tree = m_treeRead ? &m_tree : nullptr;
    return request;
}

bool CKinzoPrintDialog::PrintReport()
{
    if (!CheckPeriod()) return false;
    QPrinter printer(QPrinter::HighResolution);
    if (!ChoosePrinter(this, printer)) return false;
    const _PrintRequest request = Request();
    const std::unique_ptr<CXGrid> grid = BuildPrintGrid(m_document, request);
    if (!grid) {
        KoMessageBox(this, u"グリッドの生成に失敗しました。"_s);
        return false;
    }
    return PrintReportGrid(this, *grid, printer, request.orientation);
}

void CKinzoPrintDialog::ShowPreview()
{
    if (!CheckPeriod()) return;
    const _PrintRequest request = Request();
    std::unique_ptr<CXGrid> grid = BuildPrintGrid(m_document, request);
    if (!grid) {
        KoMessageBox(this, u"グリッドの生成に失敗しました。"_s);
        return;
    }
    CPrintPreviewDialog preview(this, std::move(grid), request.orientation);
    if (preview.PreparePages()) preview.DoModal();
}

void CKinzoPrintDialog::StoreSettings()
{
    CKinzoApp* app = CKinzoApp::Instance();
    if (!app) return;
    CKinzoIniFile& ini = app->m_iniFile;
    ini.WritePrintFontName(m_fontName);
    ini.WritePrintFontSize(m_fontSize);
    ini.WritePrintTableOrient(std::max(0, m_orientation->currentIndex()));
    ini.WritePrintAccountExpandLevel(std::max(0, m_expand->currentIndex()));
}

void CKinzoPrintDialog::OnOK()
{
    if (!PrintReport()) return;
    StoreSettings();
    CKoVDialogBase::OnOK();
}

void CKinzoPrintDialog::OnCancel()
{
    StoreSettings();
    CKoVDialogBase::OnCancel();
}
