// Adding, changing and deleting the listed entries.

#include "kinzo/dialogs/list/CKinzoListDialog.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/CKinzoDialog.h"
#include "kinzo/dialogs/EntryDelete.h"
#include "kinzo/dialogs/list/CKinzoListGrid.h"
#include "kolib/KoAppVoice.h"
#include "kolib/KoMessageBox.h"

using namespace Qt::StringLiterals;

void CKinzoListDialog::AddEntry()
{
    if (!m_document.IsOpen()) return;
    CKinzoDialog dialog(this, m_document, QDate::currentDate(), m_accountId);
    if (dialog.DoModal() == QDialog::Accepted) Rebuild();
}

void CKinzoListDialog::ChangeEntry()
{
    const int id = CurrentEntryId();
    if (id <= 0 || !m_document.IsOpen()) return;
    _ViewEntry entry;
    if (m_document.KinzoView().GetViewEntry(id, entry) != DbStatus::Ok) {
        KoMessageBox(this, u"出納レコード取得に失敗しました。"_s);
        return;
    }
    CKinzoDialog dialog(this, m_document, entry);
    if (dialog.DoModal() == QDialog::Accepted) Rebuild();
}

void CKinzoListDialog::DeleteEntry()
{
    const int row = m_grid->GetCurrentCell().row;
    const int id = m_grid->EntryIdOfRow(row);
    if (id <= 0 || !m_document.IsOpen()) return;
    QString description = u"No"_s;
    for (int col = CKinzoListGrid::ColNo; col <= CKinzoListGrid::ColDate; ++col)
        description += u' ' + m_grid->GetCellText(row, col);
    if (KoMessageBox(this, u"「%1」のデータを削除してよろしいですか？"_s.arg(description), KoButtons::OkCancel)
        != KoAnswer::Ok)
        return;
    if (!DeleteStoredEntry(this, m_document, id)) return;
    KoAppReadText(u"データを削除しました。"_s, 1, 0);
    // The cursor lands on a neighbour without a word, which would cut off
    // the news of the delete.
    m_grid->EnableSpeech(0);
    m_grid->RemoveEntryLine(row);
    if (m_grid->EntryCount() > 0)
        m_grid->SetCurrentCell(std::min(row, m_grid->GetRowCount() - 1), m_grid->GetCurrentCell().col);
    m_grid->EnableSpeech(1);
    m_grid->RecalcLayout(0);
    m_grid->Redraw();
    m_document.NotifyViews(UpdateHint::EntryDeleted, id);
}
