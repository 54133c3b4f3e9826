#include "kinzo/views/CDayView.h"

#include "CKinzoApp.h"
#include "KinzoCommands.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/EntryHint.h"
#include "kinzo/views/LedgerViewParts.h"
#include "kinzo/views/ViewColors.h"
#include "kolib/CKoButton.h"
#include "kolib/CKoWindowZoom.h"
#include "kolib/KoAppSettings.h"
#include "kolib/KoAppVoice.h"
#include "kolib/KoMessageBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CDayView::CDayView(CKinzoDoc& document, QWidget* parent) : CKinzoViewBase(FormId, document, parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    layout->addLayout(top);
    top->addWidget(new QLabel(u"リスト表示"_s, this));
    m_dateLabel = new QLabel(this);
    m_dateLabel->setAccessibleName(u"リスト表示の日付"_s);
    top->addWidget(m_dateLabel);
    top->addStretch(1);

    m_grid = new CListGrid(0, this);
    m_grid->setObjectName(u"1000"_s);
    m_grid->setAccessibleName(u"リスト表示"_s);
    layout->addWidget(m_grid, 1);
    connect(m_grid, &CXGrid::cellDoubleClicked, this, &CDayView::OnDoubleClick);

    const _StepButtons buttons = AddStepButtons(*this, *layout);
    m_prevButton = buttons.previous;
    m_nextButton = buttons.next;
    connect(m_prevButton, &QPushButton::clicked, this, [this] { OnCommand(CmdPreviousDateWithData); });
    connect(m_nextButton, &QPushButton::clicked, this, [this] { OnCommand(CmdNextDateWithData); });
    setFocusProxy(m_grid);

    m_announcer = std::make_unique<CCellAnnouncer>(*this, *m_grid);
    SetupGrid(0);
}

CDayView::~CDayView() = default;

QString CDayView::DateText() const
{
    return u"%1年%2月%3日"_s.arg(m_date.year(), 4).arg(m_date.month(), 2).arg(m_date.day(), 2);
}

QString CDayView::CsvFileName() const
{
    return GetDocument().Title() + u"_リスト表示_"_s + DateText() + u".csv"_s;
}

void CDayView::OnInitialUpdate()
{
    CKinzoViewBase::OnInitialUpdate();
    LoadWithMessage(LoadCause::Update);
}

void CDayView::ReloadView()
{
    LoadWithMessage(LoadCause::Update);
}

bool CDayView::LoadWithMessage(LoadCause cause)
{
    if (Load()) return true;
    KoMessageBox(this, cause == LoadCause::DayStep ? u"データ読み込みに失敗しました。"_s
                                                   : u"テーブルデータ設定に失敗しました。"_s);
    return false;
}

void CDayView::SetupGrid(int entryCount)
{
    m_grid->SetupTable(entryCount);
    ApplyViewColors(*m_grid);
    m_grid->SetFont(CKoWindowZoom::ZoomFont(1.0).family(), KoAppFontSize());
    ApplyGridSettings();
}

void CDayView::ApplyGridSettings()
{
    const CKinzoApp* app = CKinzoApp::Instance();
    if (!app) return;
    m_grid->SetReadHeaders(app->m_settingInfo.m_readLevel);
    // Set without the announcement: the load speaks its own words.
    if (m_grid->GetMoveMode() != app->m_settingInfo.m_gridMoveMode) m_grid->ToggleMoveMode();
}

bool CDayView::Load()
{
    m_announcer->Cancel();
    if (const CKinzoApp* app = CKinzoApp::Instance()) m_date = app->m_currentDate;
    if (!m_date.isValid()) m_date = QDate::currentDate();
    m_dateLabel->setText(DateText());
    if (!GetDocument().IsOpen()) {
        SetupGrid(0);
        return true;
    }
    QList<_ViewEntry> entries;
    if (GetDocument().KinzoView().SelectRange(m_date, m_date, entries) != DbStatus::Ok) {
        SetupGrid(0);
        KoMessageBox(this, u"該当日の出納レコード読み込みに失敗しました。"_s);
        return false;
    }
    SetupGrid(int(entries.size()));
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (!m_grid->FillEntryLine(CListGrid::FirstEntryRow + int(i), entries[i], int(i) + 1,
                                   GetDocument().AccountItems()))
            return false;
    RecomputeTotals();
    m_grid->RecalcLayout();
    m_grid->Redraw();
    if (!m_grid->IsSpeechEnabled()) m_grid->EnableSpeech(1);
    Announce();
    return true;
}

void CDayView::Announce()
{
    const int row = m_grid->EntryCount() > 0 ? m_grid->TotalRow() - 1 : CListGrid::CarryRow;
    m_announcer->Announce(u"リスト表示 "_s + DateText(), {row, CListGrid::ColLevel1});
}

void CDayView::RecomputeTotals()
{
    qint64 carryOver = 0;
    if (GetDocument().KinzoView().GetCarryOver(m_date, carryOver) != DbStatus::Ok) return;
    m_grid->ApplyTotals(carryOver);
}

void CDayView::OnUpdate(QObject* sender, int hint, const QVariant& object)
{
    CKinzoViewBase::OnUpdate(sender, hint, object);
    switch (static_cast<UpdateHint>(hint)) {
    case UpdateHint::EntryAdded:
        OnEntryAdded(object);
        break;
    case UpdateHint::EntryDeleted:
        OnEntryDeleted(object);
        break;
    case UpdateHint::EntryChanged:
        OnEntryChanged(object);
        break;
    case UpdateHint::ColorsChanged:
        ApplyViewColors(*m_grid);
        m_grid->Redraw();
        break;
    case UpdateHint::FontSizeChanged:
        m_grid->FollowFontSize();
        break;
    case UpdateHint::DataChanged:
    case UpdateHint::FileDeleted:
    case UpdateHint::AccountTreeEdited:
    case UpdateHint::StartMonthChanged:
    case UpdateHint::AccountTreeReloaded:
        // The tree is the document's own object, refilled in place. Hidden
        // behind another view, the list is loaded when it is shown again: a
        // load now would speak a list the user does not see.
        if (isVisibleTo(window())) LoadWithMessage(LoadCause::Update);
        break;
    default:
        break;
    }
}

bool CDayView::ReadViewEntry(int id, _ViewEntry& entry)
{
    return GetDocument().IsOpen() && GetDocument().KinzoView().GetViewEntry(id, entry) == DbStatus::Ok;
}

void CDayView::OnEntryAdded(const QVariant& object)
{
    const std::optional<_KinzoEntry> added = EntryFromHint(object);
    _ViewEntry entry;
    if (!added || added->date != m_date || m_grid->RowOfEntry(added->ID) >= 0 || !ReadViewEntry(added->ID, entry))
        return;
    const int row = m_grid->InsertEntryLine();
    m_grid->FillEntryLine(row, entry, m_grid->EntryCount(), GetDocument().AccountItems());
    RecomputeTotals();
    m_grid->RecalcLayout(0);
    m_grid->Redraw();
}

void CDayView::OnEntryDeleted(const QVariant& object)
{
    const std::optional<int> id = EntryIdFromHint(object);
    const int row = id ? m_grid->RowOfEntry(*id) : -1;
    if (row < 0) return;
    m_grid->RemoveEntryLine(row);
    RecomputeTotals();
    m_grid->RecalcLayout(0);
    m_grid->Redraw();
}

void CDayView::OnEntryChanged(const QVariant& object)
{
    const std::optional<_KinzoEntry> changed = EntryFromHint(object);
    if (!changed) return;
    int row = m_grid->RowOfEntry(changed->ID);
    if (row >= 0 && changed->date != m_date) {
        m_grid->RemoveEntryLine(row);
    } else if (changed->date == m_date) {
        _ViewEntry entry;
        if (!ReadViewEntry(changed->ID, entry)) return;
        if (row < 0) row = m_grid->InsertEntryLine();
        m_grid->FillEntryLine(row, entry, row - CListGrid::FirstEntryRow + 1, GetDocument().AccountItems());
    } else {
        return;
    }
    RecomputeTotals();
    m_grid->RecalcLayout(0);
    m_grid->Redraw();
}

void CDayView::OnDoubleClick(int row, int)
{
    if (row < m_grid->GetFixedRowCount()) return;
    OnCommand(m_grid->IsEntryRow(row) ? 32788 : 32786);
}
