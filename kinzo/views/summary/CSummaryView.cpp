#include "kinzo/views/summary/CSummaryView.h"

#include "CKinzoApp.h"
#include "KinzoCommands.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/views/CCellAnnouncer.h"
#include "kinzo/views/LedgerViewParts.h"
#include "kolib/CKoButton.h"
#include "kolib/CKoWindowZoom.h"
#include "kolib/KoAppSettings.h"
#include "kolib/KoMessageBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

int sharedExpandLevel = -1;

}  // namespace

int CSummaryView::SharedExpandLevel()
{
    return sharedExpandLevel;
}

void CSummaryView::SetSharedExpandLevel(int level)
{
    sharedExpandLevel = std::clamp(level, -1, 3);
}

CSummaryView::CSummaryView(int formId, const QString& caption, CSummaryGrid* grid, bool stepButtons,
                           CKinzoDoc& document, QWidget* parent)
    : CKinzoViewBase(formId, document, parent), m_caption(caption), m_grid(grid)
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    layout->addLayout(top);
    top->addWidget(new QLabel(caption, this));
    if (stepButtons) {
        m_periodLabel = new QLabel(this);
        m_periodLabel->setAccessibleName(caption + u"の日付"_s);
        top->addWidget(m_periodLabel);
    }
    top->addStretch(1);

    m_grid->setParent(this);
    m_grid->setObjectName(u"1000"_s);
    m_grid->setAccessibleName(caption);
    layout->addWidget(m_grid, 1);
    connect(m_grid, &CXGrid::cellDoubleClicked, this, &CSummaryView::OnDoubleClick);

    if (stepButtons) {
        const _StepButtons buttons = AddStepButtons(*this, *layout);
        m_prevButton = buttons.previous;
        m_nextButton = buttons.next;
        connect(m_prevButton, &QPushButton::clicked, this, [this] { StepPeriod(-1); });
        connect(m_nextButton, &QPushButton::clicked, this, [this] { StepPeriod(1); });
    }
    setFocusProxy(m_grid);
    m_announcer = std::make_unique<CCellAnnouncer>(*this, *m_grid);
}

CSummaryView::~CSummaryView() = default;

void CSummaryView::OnInitialUpdate()
{
    CKinzoViewBase::OnInitialUpdate();
    TakeCurrentDate();
    LoadAndAnnounce(FirstLoadFailureText());
}

QString CSummaryView::FirstLoadFailureText() const
{
    return u"テーブル作成に失敗しました。"_s;
}

void CSummaryView::ReloadView()
{
    TakeCurrentDate();
    LoadAndAnnounce(u"データ読み込みに失敗しました。"_s);
}

void CSummaryView::TakeCurrentDate()
{
    if (const CKinzoApp* app = CKinzoApp::Instance()) m_date = app->m_currentDate;
    if (!m_date.isValid()) m_date = QDate::currentDate();
}

bool CSummaryView::LoadAndAnnounce(const QString& failureText)
{
    m_announcer->Cancel();
    if (!Load()) {
        if (!failureText.isEmpty()) KoMessageBox(this, failureText);
        return false;
    }
    Announce();
    return true;
}

void CSummaryView::ApplyGridSettings()
{
    m_grid->SetFont(CKoWindowZoom::ZoomFont(1.0).family(), KoAppFontSize());
    const CKinzoApp* app = CKinzoApp::Instance();
    if (!app) return;
    m_grid->SetReadHeaders(app->m_settingInfo.m_readLevel);
    // Set without the announcement: the load speaks its own words.
    if (m_grid->GetMoveMode() != app->m_settingInfo.m_gridMoveMode) m_grid->ToggleMoveMode();
    m_grid->SetHideZero(app->m_settingInfo.m_hideZeroAccount);
}

bool CSummaryView::Load()
{
    if (m_periodLabel) m_periodLabel->setText(PeriodText());
    ApplyGridSettings();
    if (!GetDocument().IsOpen()) {
        m_grid->ClearTable();
        return true;
    }
    if (!BuildTable()) return false;
    m_grid->ApplyColors();
    if (sharedExpandLevel < 0) {
        const CKinzoApp* app = CKinzoApp::Instance();
        sharedExpandLevel = app ? app->m_settingInfo.m_accountExpandLevel : 1;
    }
    m_grid->SetExpandLevel(sharedExpandLevel);
    if (!m_grid->IsSpeechEnabled()) m_grid->EnableSpeech(1);
    return true;
}

void CSummaryView::Announce()
{
    const CKinzoApp* app = CKinzoApp::Instance();
    const int account = app ? app->m_rememberedAccount : -1;
    int line = m_grid->LineOfAccount(account);
    const int firstShown = m_grid->FirstShownLine();
    if (line < 0 || !m_grid->IsLineVisible(line) || line < firstShown) line = firstShown;
    m_announcer->Announce(AnnounceText(), m_grid->CellOf(line, PeriodPositionOfViewDate()));
}

// Keeps the cursor on its account and period across a rebuild, without a word.
void CSummaryView::Rebuild()
{
    const int account = m_grid->GetCurrentAccount();
    const int position = m_grid->PositionOf(m_grid->GetCurrentCell());
    m_announcer->Cancel();
    if (!Load()) return;
    int line = m_grid->LineOfAccount(account);
    if (line < 0 || !m_grid->IsLineVisible(line)) line = m_grid->FirstShownLine();
    m_grid->SetSilentMoves(true);
    const CXCellID cell = m_grid->CellOf(line, std::clamp(position, CSummaryGrid::CarryPosition, m_grid->TotalPosition()));
    m_grid->SetCurrentCell(cell.row, cell.col);
    m_grid->SetSilentMoves(false);
    m_grid->Redraw();
}

void CSummaryView::OnUpdate(QObject* sender, int hint, const QVariant& object)
{
    CKinzoViewBase::OnUpdate(sender, hint, object);
    // A hidden view is loaded afresh, with the settings of the day, when it
    // is shown again.
    if (!isVisible()) return;
    switch (static_cast<UpdateHint>(hint)) {
    case UpdateHint::EntryAdded:
    case UpdateHint::EntryDeleted:
    case UpdateHint::EntryChanged:
    case UpdateHint::DataChanged:
    case UpdateHint::FileDeleted:
    case UpdateHint::AccountTreeEdited:
    case UpdateHint::AccountTreeReloaded:
        Rebuild();
        break;
    case UpdateHint::StartMonthChanged:
        // Its periods are others now: the view is read out afresh.
        ReloadView();
        break;
    case UpdateHint::ColorsChanged:
        m_grid->ApplyColors();
        break;
    case UpdateHint::FontSizeChanged:
        m_grid->FollowFontSize();
        break;
    default:
        break;
    }
}

bool CSummaryView::OnPeriodLine() const
{
    const CXCellID cur = m_grid->GetCurrentCell();
    return cur.IsSet() && m_grid->PeriodOfPosition(m_grid->PositionOf(cur)) >= 0;
}

void CSummaryView::CursorPeriod(QDate& first, QDate& last) const
{
    const CXCellID cur = m_grid->GetCurrentCell();
    PeriodOfLine(cur.IsSet() ? m_grid->PeriodOfPosition(m_grid->PositionOf(cur)) : -1, first, last);
}

void CSummaryView::OnDoubleClick(int row, int col)
{
    const CXCellID cell(row, col);
    if (row < m_grid->GetFixedRowCount() || col < m_grid->GetFixedColumnCount()) return;
    if (m_grid->PeriodOfPosition(m_grid->PositionOf(cell)) >= 0) DrillDown(false);
    else OnCommand(CmdEntryNew);
}
