#include "kinzo/data/AccountItemList.h"

using namespace Qt::StringLiterals;

_AccountItem _AccountItem::ChildOf(const _AccountItem& parent, const QString& name)
{
    _AccountItem item;
    item.name = name;
    item.side = parent.side;
    item.level = parent.level + 1;
    item.parentId = parent.ID;
    item.useStart = parent.useStart;
    item.useEnd = parent.useEnd;
    return item;
}

QString FirstChildCode(const QString& parentCode)
{
    return parentCode + u"1."_s;
}

bool CodeBefore(const QString& a, const QString& b)
{
    const QStringList left = a.split(u'.', Qt::SkipEmptyParts), right = b.split(u'.', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < std::min(left.size(), right.size()); ++i)
        if (const int x = left[i].toInt(), y = right[i].toInt(); x != y) return x < y;
    return left.size() < right.size();
}

QString NextSiblingCode(const QString& code)
{
    QString trimmed = code;
    if (trimmed.endsWith(u'.')) trimmed.chop(1);
    const qsizetype dot = trimmed.lastIndexOf(u'.');
    if (dot < 0) return QString::number(trimmed.toInt() + 1) + u'.';
    return trimmed.left(dot) + u'.' + QString::number(trimmed.mid(dot + 1).toInt() + 1) + u'.';
}

AccountItemNode* AccountItemList::Find(int id)
{
    const QList<AccountItemNode*> nodes = Flatten();
    for (AccountItemNode* node : nodes)
        if (node->m_data.ID == id) return node;
    return nullptr;
}

QList<int> AccountItemList::SubtreeIds(const AccountItemNode* node) const
{
    QList<int> ids;
    if (!node) return ids;
    if (node != this) ids.append(node->m_data.ID);
    for (const AccountItemNode* child = node->m_firstChild; child; child = child->m_next) ids.append(SubtreeIds(child));
    return ids;
}

bool AccountItemList::HasTwoRoots() const
{
    const AccountItemNode* first = m_firstChild;
    const AccountItemNode* second = first ? first->m_next : nullptr;
    if (!second || second->m_next) return false;
    const int a = first->m_data.side, b = second->m_data.side;
    return first->m_data.parentId == 0 && second->m_data.parentId == 0 && ((a == 1 && b == 2) || (a == 2 && b == 1));
}
