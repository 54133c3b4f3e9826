// The commands and keys of the one-day list.

#include "kinzo/views/CDayView.h"

#include "CKinzoApp.h"
#include "KinzoCommands.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/CKinzoDialog.h"
#include "kinzo/dialogs/EntryDelete.h"
#include "kinzo/dialogs/EntryHint.h"
#include "kinzo/dialogs/list/EntryListOpener.h"
#include "kinzo/views/LedgerViewParts.h"
#include "kolib/KoAppVoice.h"
#include "kolib/KoMessageBox.h"

#include <QKeyEvent>

using namespace Qt::StringLiterals;

bool CDayView::OnCommand(int commandId)
{
    switch (commandId) {
    case CmdEntryNew: NewEntry(); return true;
    case CmdEntryChange: ChangeEntry(); return true;
    case CmdEntryDelete: DeleteEntry(); return true;
    case CmdPrevious: StepDay(-1); return true;
    case CmdNext: StepDay(1); return true;
    case CmdPreviousDateWithData: StepToDateWithData(false); return true;
    case CmdNextDateWithData: StepToDateWithData(true); return true;
    case CmdSelectAccount: {
        // The day list has no account line to start from: the choice starts
        // empty, on the month of the day shown.
        const QDate first(m_date.year(), m_date.month(), 1);
        OpenEntryListFor(this, GetDocument(), 0, first, first.addMonths(1).addDays(-1));
        return true;
    }
    case CmdCopy: m_grid->CopyCellText(); return true;
    case CmdCopyWithNames: m_grid->CopyCellWithHeaders(0, 0, m_grid->GetCurrentCell()); return true;
    case CmdCopyRecord: m_grid->CopyRecordWithHeaders(0, 0, m_grid->GetCurrentCell().row); return true;
    case CmdPaste: return true;
    case CmdMoveMode: ToggleMoveMode(); return true;
    case CmdDefaultColumnWidths:
        m_grid->ResetColumnWidths();
        m_grid->RecalcLayout(0);
        m_grid->Redraw();
        return true;
    case CmdTableCsv: SaveCsv(); return true;
    case CmdReadWithNames: SetReadLevel(1); return true;
    case CmdReadDataOnly: SetReadLevel(0); return true;
    default: return false;
    }
}

std::optional<bool> CDayView::IsCommandEnabled(int commandId) const
{
    const CXCellID cur = m_grid->GetCurrentCell();
    switch (commandId) {
    case CmdEntryChange:
    case CmdEntryDelete:
        return GetDocument().IsOpen() && m_grid->IsEntryRow(cur.row);
    case CmdCopy:
    case CmdCopyWithNames:
    case CmdCopyRecord:
        return m_grid->IsValidCell(cur.row, cur.col) != 0;
    case CmdPaste:
        return false;
    case CmdSelectAccount:
    case CmdEntryNew:
    case CmdPrevious:
    case CmdNext:
    case CmdPreviousDateWithData:
    case CmdNextDateWithData:
    case CmdTableCsv:
        return GetDocument().IsOpen();
    case CmdMoveMode:
    case CmdDefaultColumnWidths:
    case CmdReadWithNames:
    case CmdReadDataOnly:
        return true;
    default:
        return std::nullopt;
    }
}

void CDayView::keyPressEvent(QKeyEvent* event)
{
    const bool control = event->modifiers() & Qt::ControlModifier;
    int command = 0;
    switch (event->key()) {
    case Qt::Key_A: command = control ? CmdEntryNew : 0; break;
    case Qt::Key_U: command = control ? CmdEntryChange : 0; break;
    case Qt::Key_D: command = control ? CmdEntryDelete : 0; break;
    case Qt::Key_Left: command = control ? CmdPrevious : 0; break;
    case Qt::Key_Right: command = control ? CmdNext : 0; break;
    case Qt::Key_C: command = control ? CmdCopy : 0; break;
    case Qt::Key_V: command = control ? CmdPaste : 0; break;
    case Qt::Key_Space: command = control ? CmdMoveMode : 0; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!control) command = m_grid->IsEntryRow(m_grid->GetCurrentCell().row) ? CmdEntryChange : CmdEntryNew;
        break;
    case Qt::Key_Escape:
        KoAppStopRead();
        PostCommandToMainWindow(CmdMonthView);
        event->accept();
        return;
    default:
        break;
    }
    if (command == 0) {
        CKinzoViewBase::keyPressEvent(event);
        return;
    }
    event->accept();
    if (IsCommandEnabled(command).value_or(true)) OnCommand(command);
}

void CDayView::NewEntry()
{
    if (!GetDocument().IsOpen()) return;
    CKinzoDialog dialog(this, GetDocument(), m_date);
    dialog.DoModal();
}

void CDayView::ChangeEntry()
{
    const int id = m_grid->EntryIdOfRow(m_grid->GetCurrentCell().row);
    if (id <= 0 || !GetDocument().IsOpen()) return;
    _ViewEntry entry;
    const DbStatus status = GetDocument().KinzoView().GetViewEntry(id, entry);
    if (status == DbStatus::NotFound) {
        KoMessageBox(this, u"出納レコードがヒットしませんでした。"_s);
        return;
    }
    if (status != DbStatus::Ok) {
        KoMessageBox(this, u"出納レコード取得に失敗しました。"_s);
        return;
    }
    CKinzoDialog dialog(this, GetDocument(), entry);
    dialog.DoModal();
}

void CDayView::DeleteEntry()
{
    const int row = m_grid->GetCurrentCell().row;
    const int id = m_grid->EntryIdOfRow(row);
    if (id <= 0 || !GetDocument().IsOpen()) return;
    QString description = u"No"_s;
    for (int col = CListGrid::ColNo; col <= CListGrid::ColLevel3; ++col)
        description += u' ' + m_grid->GetCellText(row, col);
    if (KoMessageBox(this, u"「%1」のデータを削除してよろしいですか？"_s.arg(description), KoButtons::OkCancel)
        != KoAnswer::Ok)
        return;
    // A failed loan update must not leave the entry deleted behind a list
    // that still shows it.
    if (!DeleteStoredEntry(this, GetDocument(), id)) return;
    KoAppReadText(u"データを削除しました。"_s, 1, 0);
    m_grid->RemoveEntryLine(row);
    RecomputeTotals();
    m_grid->RecalcLayout(0);
    m_grid->Redraw();
    // Other windows showing this entry drop it too; this list has already.
    GetDocument().NotifyViews(UpdateHint::EntryDeleted, id);
}

void CDayView::StepDay(int days)
{
    if (CKinzoApp* app = CKinzoApp::Instance()) app->m_currentDate = m_date.addDays(days);
    LoadWithMessage(LoadCause::DayStep);
}

void CDayView::StepToDateWithData(bool later)
{
    if (!GetDocument().IsOpen()) return;
    CViewKinzo& view = GetDocument().KinzoView();
    QDate found;
    const DbStatus status = later ? view.NextDateWithData(m_date, found) : view.PrevDateWithData(m_date, found);
    if (status != DbStatus::Ok) return;
    if (!found.isValid()) {
        KoMessageBox(this, later ? u"これより後のデータはありません。"_s : u"これより前のデータはありません。"_s);
        return;
    }
    if (CKinzoApp* app = CKinzoApp::Instance()) app->m_currentDate = found;
    LoadWithMessage(LoadCause::DayStep);
}

void CDayView::SaveCsv()
{
    SaveTableCsv(*this, *m_grid, CsvFileName());
}

void CDayView::ToggleMoveMode()
{
    CKinzoApp* app = CKinzoApp::Instance();
    const int mode = m_grid->GetMoveMode() ? 0 : 1;
    if (app) app->m_settingInfo.m_gridMoveMode = mode;
    m_grid->SetMoveMode(mode);
}

void CDayView::SetReadLevel(int level)
{
    if (CKinzoApp* app = CKinzoApp::Instance()) app->m_settingInfo.m_readLevel = level;
    m_grid->SetReadHeaders(level);
}
