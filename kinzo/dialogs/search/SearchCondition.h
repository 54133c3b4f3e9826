#pragma once
// The WHERE text of a search over the entry query (View_出納簿): words in
// the account name, the counterparty name or the note, joined by AND or OR,
// within an optional period. Plain code over the document's tables.

#include "kinzo/data/DbStatus.h"

#include <QDate>
#include <QString>
#include <QStringList>

class CKinzoDoc;

struct SearchRequest {
    QString text;            // as typed; trimmed and split here
    bool inAccount = true;   // 科目名
    bool inCater = true;     // 相手先
    bool inNote = true;      // 備考
    bool anyWord = false;    // OR条件 instead of AND条件
    QDate start;             // invalid: no lower limit
    QDate end;               // invalid: no upper limit (inclusive)
};

// The words of a search text: full-width spaces count as spaces.
QStringList SplitSearchWords(const QString& text);

// Builds the condition. A word that no ticked target can match (only 科目名
// ticked and no account name contains it) matches no entry: under AND there
// are then no hits, under OR the other words still count. Fails only when
// reading the account names fails (the status of that read).
DbStatus BuildSearchCondition(CKinzoDoc& document, const SearchRequest& request, QString& where);
