#include "kinzo/dialogs/accounts/AccountEdits.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/SqlText.h"
#include "kinzo/dialogs/DialogTexts.h"

using namespace Qt::StringLiterals;

namespace account_edits {
namespace {

const QString UpdateFailed = u"科目レコード変更に失敗しました。"_s;
const QString ChildUpdateFailed = u"子科目レコード変更に失敗しました。"_s;

bool Store(CKinzoDoc& document, AccountItemNode* node)
{
    node->m_data.code = node->m_code;
    node->m_data.childFlag = node->HasChildren() ? 1 : 0;
    return document.AccountTable().UpdateItem(node->m_data) == DbStatus::Ok;
}

// The parent's 子フラグ after it gained or lost a child.
QString StoreChildFlag(CKinzoDoc& document, AccountItemNode* parent)
{
    if (!parent || parent->m_data.level < 1) return {};
    const int flag = parent->HasChildren() ? 1 : 0;
    if (parent->m_data.childFlag == flag) return {};
    return Store(document, parent) ? QString() : UpdateFailed;
}

bool SameValidity(const _AccountItem& a, const _AccountItem& b)
{
    return a.useStart == b.useStart && a.useEnd == b.useEnd && (!a.useStart || a.start == b.start)
           && (!a.useEnd || a.end == b.end);
}

QString IdList(const QList<int>& ids)
{
    QStringList texts;
    for (int id : ids) texts << QString::number(id);
    return texts.join(u", "_s);
}

void TakeValidity(_AccountItem& item, const _AccountItem& from)
{
    item.useStart = from.useStart;
    item.useEnd = from.useEnd;
    item.start = from.start;
    item.end = from.end;
}

}  // namespace

int SubtreeHeight(const AccountItemNode* node)
{
    int below = 0;
    for (const AccountItemNode* child = node->m_firstChild; child; child = child->m_next)
        below = std::max(below, SubtreeHeight(child));
    return below + 1;
}

void Widen(_AccountItem& outer, const _AccountItem& inner)
{
    if (inner.useStart) {
        outer.start = outer.useStart && outer.start.isValid() ? std::min(outer.start, inner.start) : inner.start;
        outer.useStart = 1;
    }
    if (inner.useEnd) {
        outer.end = outer.useEnd && outer.end.isValid() ? std::max(outer.end, inner.end) : inner.end;
        outer.useEnd = 1;
    }
}

QString SyncCodes(CKinzoDoc& document, AccountItemNode* top)
{
    QList<AccountItemNode*> changed;
    for (AccountItemNode* node : top->Flatten())
        if (node->m_data.code != node->m_code) changed << node;
    if (changed.isEmpty()) return {};
    for (AccountItemNode* node : changed) node->m_data.code = node->m_code;
    return document.AccountTable().SaveCodes(changed) == DbStatus::Ok ? QString() : UpdateFailed;
}

QString Add(CKinzoDoc& document, AccountItemNode* parent, _AccountItem item, bool moveEntries, AccountItemNode*& added)
{
    added = nullptr;
    item.ID = 0;
    item.childFlag = 0;
    item.level = parent->m_data.level + 1;
    item.parentId = parent->m_data.ID;
    item.side = parent->m_data.side;
    AccountItemNode* node = parent->AppendChild(item);
    node->m_data.code = node->m_code;
    if (document.AccountTable().AddItem(node->m_data) != DbStatus::Ok) {
        node->Unlink();
        delete node;
        return dialog_text::AccountInsertFailed();
    }
    added = node;
    if (const QString failed = StoreChildFlag(document, parent); !failed.isEmpty()) return failed;
    // Ancestors cover the new item's validity, as they do after a change.
    for (AccountItemNode* up = parent; up && up->m_data.level >= 1; up = up->m_parent) {
        const _AccountItem before = up->m_data;
        Widen(up->m_data, node->m_data);
        if (!SameValidity(before, up->m_data) && !Store(document, up)) return u"親科目レコード変更に失敗しました。"_s;
    }
    if (moveEntries
        && document.KinzoTable().MoveToItem(parent->m_data.ID, node->m_data.ID, document.AccountTable(), false)
               != DbStatus::Ok)
        return dialog_text::MoveToChildFailed();
    return {};
}

QString Change(CKinzoDoc& document, AccountItemNode* node, const _AccountItem& before)
{
    const bool validityChanged = !SameValidity(node->m_data, before);
    if (validityChanged) {
        for (AccountItemNode* child : node->Flatten()) TakeValidity(child->m_data, node->m_data);
        for (AccountItemNode* up = node->m_parent; up && up->m_data.level >= 1; up = up->m_parent)
            Widen(up->m_data, node->m_data);
    }
    if (!Store(document, node)) return UpdateFailed;
    if (!validityChanged) return {};
    for (AccountItemNode* child : node->Flatten())
        if (!Store(document, child)) return ChildUpdateFailed;
    for (AccountItemNode* up = node->m_parent; up && up->m_data.level >= 1; up = up->m_parent)
        if (!Store(document, up)) return u"親科目レコード変更に失敗しました。"_s;
    return {};
}

QString Merge(CKinzoDoc& document, AccountItemNode* node, AccountItemNode* target)
{
    const QString failed = u"科目統合に失敗しました。"_s;
    const int source = node->m_data.ID;
    // Loans follow the entries that repay them.
    if (document.LoanTable().Update(u"勘定科目ID = %1"_s.arg(target->m_data.ID), u"勘定科目ID = %1"_s.arg(source))
        != DbStatus::Ok)
        return failed;
    if (document.KinzoTable().MoveToItem(source, target->m_data.ID, document.AccountTable(), true) != DbStatus::Ok)
        return failed;
    AccountItemNode* parent = node->m_parent;
    node->Unlink();
    delete node;
    parent->Renumber();
    if (const QString codes = SyncCodes(document, parent); !codes.isEmpty()) return codes;
    return StoreChildFlag(document, parent);
}

QString Move(CKinzoDoc& document, AccountItemNode* node, AccountItemNode* newParent)
{
    AccountItemNode* oldParent = node->m_parent;
    node->MoveTo(newParent);
    node->m_data.parentId = newParent->m_data.ID;
    QList<AccountItemNode*> subtree{node};
    subtree += node->Flatten();
    for (AccountItemNode* each : subtree) {
        each->m_data.level = each->m_depth;
        each->m_data.side = newParent->m_data.side;
    }
    if (!Store(document, node)) return u"科目移動に失敗しました。"_s;
    for (AccountItemNode* each : node->Flatten())
        if (!Store(document, each)) return ChildUpdateFailed;
    oldParent->Renumber();
    if (const QString codes = SyncCodes(document, oldParent); !codes.isEmpty()) return codes;
    if (const QString flag = StoreChildFlag(document, oldParent); !flag.isEmpty()) return flag;
    return StoreChildFlag(document, newParent);
}

QString Delete(CKinzoDoc& document, AccountItemNode* node)
{
    QList<int> ids{node->m_data.ID};
    for (const AccountItemNode* each : node->Flatten()) ids << each->m_data.ID;
    const bool single = ids.size() == 1;
    const QString booked = single ? u"勘定科目ID=%1"_s.arg(ids.first()) : u"勘定科目ID IN(%1)"_s.arg(IdList(ids));
    if (document.KinzoTable().Delete(booked) != DbStatus::Ok) return dialog_text::EntryDeleteFailed();
    if (document.LoanTable().Delete(booked) != DbStatus::Ok) return u"分割支払いレコード削除に失敗しました。"_s;
    CTableAccountItem& accounts = document.AccountTable();
    const DbStatus items = single ? accounts.DeleteById(ids.first()) : accounts.Delete(u"ID IN(%1)"_s.arg(IdList(ids)));
    if (items != DbStatus::Ok) return u"科目レコード削除に失敗しました。"_s;
    AccountItemNode* parent = node->m_parent;
    node->Unlink();
    delete node;
    parent->Renumber();
    if (const QString codes = SyncCodes(document, parent); !codes.isEmpty()) return codes;
    return StoreChildFlag(document, parent);
}

QString Reorder(CKinzoDoc& document, AccountItemNode* node, Place place, bool& moved)
{
    switch (place) {
    case Place::First: moved = node->MoveFirst(); break;
    case Place::Up: moved = node->MoveUp(); break;
    case Place::Down: moved = node->MoveDown(); break;
    case Place::Last: moved = node->MoveLast(); break;
    }
    if (!moved) return {};
    node->m_parent->Renumber();
    return SyncCodes(document, node->m_parent);
}

}  // namespace account_edits
