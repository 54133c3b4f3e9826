#pragma once
// "指定科目表示" as every view runs it: the entry list of an account and a
// period. When the account is none (0 or below, such as the difference and
// balance lines) or has sub-accounts, the account selection comes first with
// that account and period; its Cancel ends, its OK gives the account and
// period listed. User-interface thread only.

#include <QDate>

class CKinzoDoc;
class QWidget;

void OpenEntryListFor(QWidget* parent, CKinzoDoc& document, int accountId, const QDate& start, const QDate& end);
