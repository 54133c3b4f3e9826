// The stored edits of "科目設定": the small dialogs, the questions, then the
// edit itself and the grid built again.

#include "kinzo/dialogs/accounts/CAcntSettingDialog.h"

#include "CKinzoApp.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/DialogTexts.h"
#include "kinzo/dialogs/accounts/AccountEdits.h"
#include "kinzo/dialogs/accounts/CAccountGrid.h"
#include "kinzo/dialogs/accounts/CAcntAddDialog.h"
#include "kinzo/dialogs/accounts/CAcntMergeDialog.h"
#include "kinzo/dialogs/accounts/CAcntMoveDialog.h"
#include "kolib/KoMessageBox.h"

using namespace Qt::StringLiterals;

namespace {

bool HasNamesake(CKinzoDoc& document, int parentId, const QString& name, int exceptId, bool& failed)
{
    QList<_AccountItem> same;
    failed = document.AccountTable().FindByParentAndName(parentId, name, same) != DbStatus::Ok;
    for (const _AccountItem& item : same)
        if (item.ID != exceptId) return true;
    return false;
}

}  // namespace

void CAcntSettingDialog::Add()
{
    AccountItemNode* proposed = m_grid->CurrentNode();
    if (!proposed) proposed = m_tree.m_firstChild;
    if (proposed && proposed->m_data.level >= 3) proposed = proposed->m_parent;
    CAcntAddDialog dialog(this, CAcntAddDialog::AddMode, m_tree, proposed, CKinzoApp::StartMonth());
    if (dialog.DoModal() != QDialog::Accepted || !dialog.Chosen()) return;
    AccountItemNode* parent = dialog.Chosen();
    bool failed = false;
    if (HasNamesake(m_document, parent->m_data.ID, dialog.Item().name, 0, failed) || failed) {
        if (!failed) KoMessageBox(this, dialog_text::DuplicateAccountName());
        return;
    }
    qint64 entries = 0;
    if (parent->m_data.level >= 1 && m_document.KinzoTable().CountForItem(parent->m_data.ID, entries) != DbStatus::Ok)
        return;
    if (entries > 0 && KoMessageBox(this, dialog_text::ParentHasEntries(), KoButtons::OkCancel) != KoAnswer::Ok) return;
    AccountItemNode* added = nullptr;
    const QString failure = account_edits::Add(m_document, parent, dialog.Item(), entries > 0, added);
    if (added) m_modified = true;
    Report(failure);
    Rebuild(added ? added : parent);
}

void CAcntSettingDialog::Change()
{
    AccountItemNode* node = m_grid->CurrentNode();
    if (!node) return;
    CAcntAddDialog dialog(this, CAcntAddDialog::ChangeMode, m_tree, node, CKinzoApp::StartMonth());
    if (dialog.DoModal() != QDialog::Accepted) return;
    bool failed = false;
    if (HasNamesake(m_document, node->m_data.parentId, dialog.Item().name, node->m_data.ID, failed) || failed) {
        if (!failed) KoMessageBox(this, u"この名称は同じ親科目内に既に登録されています"_s);
        return;
    }
    const _AccountItem before = node->m_data;
    node->m_data = dialog.Item();
    const QString failure = account_edits::Change(m_document, node, before);
    m_modified = true;
    Report(failure);
    Rebuild(node);
}

void CAcntSettingDialog::Merge()
{
    AccountItemNode* node = m_grid->CurrentNode();
    if (!node) return;
    CAcntMergeDialog dialog(this, m_tree, node);
    if (dialog.DoModal() != QDialog::Accepted || !dialog.Chosen()) return;
    AccountItemNode* target = dialog.Chosen();
    const QString failure = account_edits::Merge(m_document, node, target);
    m_modified = true;
    Report(failure);
    Rebuild(target);
}

void CAcntSettingDialog::Move()
{
    AccountItemNode* node = m_grid->CurrentNode();
    if (!node) return;
    CAcntMoveDialog dialog(this, m_tree, node);
    if (dialog.DoModal() != QDialog::Accepted || !dialog.Chosen()) return;
    const QString failure = account_edits::Move(m_document, node, dialog.Chosen());
    m_modified = true;
    Report(failure);
    Rebuild(node);
}

void CAcntSettingDialog::Delete()
{
    AccountItemNode* node = m_grid->CurrentNode();
    if (!node) return;
    const QString& name = node->m_data.name;
    const QString question =
        node->HasChildren()
            ? u"これは親階層の科目です。\n科目 %1 とそのすべての子科目のデータも削除されますが、よろしいですか？"_s.arg(name)
            : u"科目 %1 のデータもすべて削除されますが、よろしいですか？"_s.arg(name);
    if (KoMessageBox(this, question, KoButtons::OkCancel) != KoAnswer::Ok) return;
    // The neighbour that takes the cursor: the next sibling, else the one
    // before, else the parent.
    const AccountItemNode* neighbour = node->m_next ? node->m_next : (node->m_prev ? node->m_prev : node->m_parent);
    const QString failure = account_edits::Delete(m_document, node);
    m_modified = true;
    Report(failure);
    Rebuild(neighbour);
}

void CAcntSettingDialog::Reorder(int command)
{
    AccountItemNode* node = m_grid->CurrentNode();
    if (!node) return;
    using account_edits::Place;
    const Place place = command == CmdFirst ? Place::First
                        : command == CmdUp  ? Place::Up
                        : command == CmdDown ? Place::Down
                                             : Place::Last;
    bool moved = false;
    const QString failure = account_edits::Reorder(m_document, node, place, moved);
    if (!moved) return;
    m_modified = true;
    if (!failure.isEmpty()) KoMessageBox(this, u"科目レコード変更に失敗しました。"_s);
    Rebuild(node);
}
