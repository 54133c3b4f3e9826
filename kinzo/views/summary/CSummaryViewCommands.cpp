// The commands and keys of the month, year and years views.

#include "kinzo/views/summary/CSummaryView.h"

#include "CKinzoApp.h"
#include "KinzoCommands.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/CKinzoDialog.h"
#include "kinzo/dialogs/list/EntryListOpener.h"
#include "kinzo/views/LedgerViewParts.h"
#include "kolib/KoAppVoice.h"

#include <QKeyEvent>

using namespace Qt::StringLiterals;

namespace {

CKinzoApp* app()
{
    return CKinzoApp::Instance();
}

}  // namespace

bool CSummaryView::OnCommand(int commandId)
{
    const int headerRows = m_grid->GetFixedRowCount();
    switch (commandId) {
    case CmdEntryNew: NewEntry(); return true;
    case CmdSelectAccount: OpenEntryList(); return true;
    case CmdPrevious: StepPeriod(-1); return true;
    case CmdNext: StepPeriod(1); return true;
    case CmdCopy: m_grid->CopyCellText(); return true;
    case CmdCopyWithNames: m_grid->CopyCellWithHeaders(0, headerRows - 1, m_grid->GetCurrentCell()); return true;
    case CmdCopyRecord: m_grid->CopyRecordWithHeaders(0, headerRows - 1, m_grid->GetCurrentCell().row); return true;
    case CmdMoveMode: {
        const int mode = m_grid->GetMoveMode() ? 0 : 1;
        if (app()) app()->m_settingInfo.m_gridMoveMode = mode;
        m_grid->SetMoveMode(mode);
        return true;
    }
    case CmdDefaultColumnWidths: m_grid->ResetColumnWidths(); return true;
    case CmdTableCsv: SaveCsv(); return true;
    case CmdReadWithNames:
    case CmdReadDataOnly:
        if (app()) app()->m_settingInfo.m_readLevel = commandId == CmdReadWithNames ? 1 : 0;
        m_grid->SetReadHeaders(commandId == CmdReadWithNames ? 1 : 0);
        return true;
    case CmdHideZeroAccounts: ToggleHideZero(); return true;
    case CmdExpandSides:
    case CmdExpandLevel1:
    case CmdExpandLevel2:
    case CmdExpandLevel3: SetExpandLevel(commandId - CmdExpandSides); return true;
    default: return false;
    }
}

std::optional<bool> CSummaryView::IsCommandEnabled(int commandId) const
{
    const CXCellID cur = m_grid->GetCurrentCell();
    switch (commandId) {
    case CmdEntryNew:
    case CmdSelectAccount:
    case CmdTableCsv:
        return GetDocument().IsOpen();
    case CmdPrevious:
    case CmdNext:
        return GetDocument().IsOpen() && CanStep();
    case CmdCopy:
    case CmdCopyWithNames:
    case CmdCopyRecord:
        return m_grid->IsValidCell(cur.row, cur.col) != 0;
    case CmdEntryChange:
    case CmdEntryDelete:
    case CmdPreviousDateWithData:
    case CmdNextDateWithData:
    case CmdPaste:
        return false;
    case CmdMoveMode:
    case CmdDefaultColumnWidths:
    case CmdReadWithNames:
    case CmdReadDataOnly:
    case CmdHideZeroAccounts:
    case CmdExpandSides:
    case CmdExpandLevel1:
    case CmdExpandLevel2:
    case CmdExpandLevel3:
        return true;
    default:
        return std::nullopt;
    }
}

std::optional<bool> CSummaryView::IsCommandChecked(int commandId) const
{
    if (commandId >= CmdExpandSides && commandId <= CmdExpandLevel3)
        return SharedExpandLevel() == commandId - CmdExpandSides;
    return std::nullopt;
}

void CSummaryView::keyPressEvent(QKeyEvent* event)
{
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        if (control) OnCommand(CmdSelectAccount);
        else if (OnPeriodLine()) DrillDown(true);
        return;
    case Qt::Key_Escape:
        KoAppStopRead();
        event->accept();
        DrillUp();
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (!control || !CanStep()) break;
        event->accept();
        StepPeriod(event->key() == Qt::Key_Left ? -1 : 1);
        return;
    case Qt::Key_C:
        if (!control) break;
        event->accept();
        OnCommand(CmdCopy);
        return;
    default:
        break;
    }
    CKinzoViewBase::keyPressEvent(event);
}

void CSummaryView::RememberAccount()
{
    if (app()) app()->m_rememberedAccount = m_grid->GetCurrentAccount();
}

void CSummaryView::DrillDown(bool rememberAccount)
{
    if (app()) app()->m_currentDate = DateOfCursor();
    if (rememberAccount) RememberAccount();
    PostCommandToMainWindow(FinerViewCommand());
}

void CSummaryView::DrillUp()
{
    if (!CoarserViewCommand()) return;
    if (OnPeriodLine() && app()) app()->m_currentDate = DateOfCursor();
    RememberAccount();
    PostCommandToMainWindow(CoarserViewCommand());
}

void CSummaryView::NewEntry()
{
    if (!GetDocument().IsOpen()) return;
    const int account = m_grid->GetCurrentAccount();
    CKinzoDialog dialog(this, GetDocument(), DateOfCursor(), account > 0 ? account : 0);
    dialog.DoModal();
    // Back on the table: the figure under the cursor, as it is now.
    m_grid->SpeakCurrentCell();
}

void CSummaryView::OpenEntryList()
{
    if (!GetDocument().IsOpen()) return;
    QDate first, last;
    CursorPeriod(first, last);
    OpenEntryListFor(this, GetDocument(), m_grid->GetCurrentAccount(), first, last);
    m_grid->SpeakCurrentCell();
}

void CSummaryView::SaveCsv()
{
    SaveTableCsv(*this, *m_grid, CsvFileName());
}

void CSummaryView::SetExpandLevel(int level)
{
    // One value for the three views from here on.
    SetSharedExpandLevel(std::clamp(level, 0, 3));
    m_grid->SetExpandLevel(SharedExpandLevel());
    m_grid->SpeakCurrentCell();
}

void CSummaryView::ToggleHideZero()
{
    if (!app()) return;
    int& hide = app()->m_settingInfo.m_hideZeroAccount;
    hide = hide ? 0 : 1;
    m_grid->SetHideZero(hide);
    m_grid->SpeakCurrentCell();
}
