#include "kinzo/dialogs/search/SearchCondition.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/SqlText.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace {

// Never true, so a word without any possible match still yields valid SQL.
const QString NoMatch = u"1=0"_s;

// 勘定科目ID IN(...) of the items named with the word and everything below
// them (entries sit on the leaves, possibly two levels down); empty when no
// name contains the word.
DbStatus AccountGroup(CKinzoDoc& document, const QString& word, QString& group)
{
    QList<_AccountItem> found;
    const DbStatus status = document.AccountTable().SearchByName(word, found);
    if (status != DbStatus::Ok) return status;
    QStringList ids;
    QSet<int> seen;
    const auto add = [&](int id) {
        if (!seen.contains(id)) ids << QString::number(id);
        seen.insert(id);
    };
    AccountItemList& tree = document.AccountItems();
    for (const _AccountItem& item : found) {
        add(item.ID);
        if (const AccountItemNode* node = tree.Find(item.ID))
            for (int id : tree.SubtreeIds(node)) add(id);
    }
    group = ids.isEmpty() ? QString() : u"勘定科目ID IN(%1)"_s.arg(ids.join(u", "_s));
    return DbStatus::Ok;
}

DbStatus WordGroup(CKinzoDoc& document, const SearchRequest& request, const QString& word, QString& group)
{
    QStringList parts;
    if (request.inAccount) {
        QString accounts;
        if (const DbStatus status = AccountGroup(document, word, accounts); status != DbStatus::Ok) return status;
        if (!accounts.isEmpty()) parts << accounts;
    }
    const QString pattern = u"'%"_s + EscapeLike(word) + u"%'"_s;
    if (request.inCater) parts << u"取引先名称 LIKE "_s + pattern;
    if (request.inNote) parts << u"出納簿.備考 LIKE "_s + pattern;
    group = parts.isEmpty() ? NoMatch : parts.join(u" OR "_s);
    return DbStatus::Ok;
}

QString DateCondition(const SearchRequest& request)
{
    QStringList parts;
    if (request.start.isValid()) parts << u"出納簿.日付 >= "_s + DateLiteral(request.start);
    if (request.end.isValid()) parts << u"出納簿.日付 <= "_s + DateLiteral(request.end);
    return parts.join(u" AND "_s);
}

}  // namespace

QStringList SplitSearchWords(const QString& text)
{
    QString spaced = text;
    spaced.replace(QChar(0x3000), u' ');
    return spaced.split(u' ', Qt::SkipEmptyParts);
}

DbStatus BuildSearchCondition(CKinzoDoc& document, const SearchRequest& request, QString& where)
{
    where.clear();
    QStringList groups;
    for (const QString& word : SplitSearchWords(request.text)) {
        QString group;
        if (const DbStatus status = WordGroup(document, request, word, group); status != DbStatus::Ok) return status;
        groups << u'(' + group + u')';
    }
    where = groups.join(request.anyWord ? u" OR "_s : u" AND "_s);
    if (const QString dates = DateCondition(request); !dates.isEmpty())
        where = where.isEmpty() ? dates : u"("_s + where + u") AND ("_s + dates + u')';
    return DbStatus::Ok;
}
