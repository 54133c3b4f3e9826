#pragma once
// The rows of the payment check list for one month: each expense account with
// a recurring payment whose validity admits the month, open (no entry of the
// account in the month) with its due date, or paid with the newest entry's
// date, and the amount last paid. No widgets: the check dialog shows what this returns.

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

class CHolidayFile;
class CKinzoDoc;

struct _PaymentCheckRow {
    int itemId = 0;
    int entryId = 0;     // the paid entry; 0 for an open row
    QString name;
    QDate date;          // due date (open) or the newest entry's date (paid)
    QString dateText;    // "%d月%d日"
    QString stateText;   // "未払い" or "支払済み"
    // Open rows: the amount of the account's newest entry before the month,
    // what the entry dialog offers to book; empty when there is none.
    std::optional<qint64> lastAmount;
};

// Display modes of the list.
enum PaymentCheckMode { PaymentCheckOpen = 1, PaymentCheckPaid = 2, PaymentCheckAll = 3 };

// False with the message to show when a read failed; rows then holds what
// was read before it.
bool FillPaymentCheckRows(CKinzoDoc& document, const QDate& month, int mode, const CHolidayFile& holidays,
                          QList<_PaymentCheckRow>& rows, QString& failure);
