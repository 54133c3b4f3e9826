#include "kinzo/dialogs/accounts/AccountEdits.h"
#include "kinzo/dialogs/accounts/CAcntMergeDialog.h"
#include "kinzo/dialogs/accounts/CAcntMoveDialog.h"
#include "kinzo/dialogs/DialogTexts.h"
#include "kolib/KoMessageBox.h"

using namespace Qt::StringLiterals;

namespace {

bool Refuse(QWidget* owner, const QString& text)
{
    KoMessageBox(owner, text);
    return false;
}

bool IsBelow(const AccountItemNode* node, const AccountItemNode* ancestor)
{
    for (const AccountItemNode* up = node ? node->m_parent : nullptr; up; up = up->m_parent)
        if (up == ancestor) return true;
    return false;
}

}  // namespace

CAcntMoveDialog::CAcntMoveDialog(QWidget* parent, AccountItemList& tree, AccountItemNode* item)
    : CAccountChainDialog(ResourceId, parent, tree, u"科目移動"_s,
                          {u"移動先収支(&S)"_s, u"移動先第１階層科目(&1)"_s, u"移動先第２階層科目(&2)"_s},
                          {u"1009"_s, u"1010"_s, u"1012"_s}, CAccountItemMenu::ParentMenu),
      m_item(item)
{
    SetInitial(item && item->m_parent ? item->m_parent->m_data.ID : 0);
}

bool CAcntMoveDialog::Accept(AccountItemNode* chosen)
{
    if (!chosen) return Refuse(this, dialog_text::NoAccountSelected());
    if (chosen == m_item->m_parent) return Refuse(this, u"親が変更されていません。"_s);
    if (chosen == m_item) return Refuse(this, u"自分自身の下へ移動することはできません。"_s);
    if (IsBelow(chosen, m_item)) return Refuse(this, u"自分自身の下位科目の下へ移動することはできません。"_s);
    if (chosen->m_data.level + account_edits::SubtreeHeight(m_item) >= 4)
        return Refuse(this, u"移動先の階層数が３を超えるため、移動することはできません。"_s);
    return true;
}

CAcntMergeDialog::CAcntMergeDialog(QWidget* parent, AccountItemList& tree, AccountItemNode* item)
    : CAccountChainDialog(ResourceId, parent, tree, u"科目統合"_s,
                          {u"統合先収支(&S)"_s, u"統合先第１階層科目(&1)"_s, u"統合先第２階層科目(&2)"_s,
                           u"統合先第３階層科目(&3)"_s},
                          {u"1009"_s, u"1010"_s, u"1012"_s, u"1016"_s}, CAccountItemMenu::LeafMenu),
      m_item(item)
{
    SetInitial(item ? item->m_data.ID : 0);
}

bool CAcntMergeDialog::Accept(AccountItemNode* chosen)
{
    if (!chosen || chosen->m_data.level < 1) return Refuse(this, dialog_text::NoAccountSelected());
    if (chosen == m_item) return Refuse(this, u"自分自身に統合することはできません。"_s);
    if (chosen->HasChildren()) return Refuse(this, u"末端の科目まで指定してください。"_s);
    return true;
}
