#pragma once
// The recurring payments (table 定期支払) in either layout: 0, the older
// layout of ID, 勘定科目ID, 支払日 and 自動アナウンス only, or 1, the current
// one with a period, month flags and a holiday rule. Every read, insert and
// update uses only the columns of the wrapper's layout.

#include "kinzo/data/CTableBase.h"
#include "kinzo/data/CViewKinzo.h"

#include <QDate>

#include <array>

struct _PaymentData {
    int ID = 0;
    int itemId = 0;       // 勘定科目ID
    int payDay = 0;       // 支払日, day of the month
    int announce = 0;     // 自動アナウンス
    QDate start;          // 開始日
    QDate end;            // 終了日
    int monthFlag = 0;    // 月指定フラグ
    std::array<int, 12> months{};  // 1月 .. 12月
    int holidayRule = 0;  // 休日フラグ
};

class CTablePayment : public CTableBase {
public:
    explicit CTablePayment(int layout = 1);

    // Deletes the payments whose period lies within first..last, or those
    // whose period has no day in it.
    virtual DbStatus DeletePaymentsInside(const QDate& first, const QDate& last);
    virtual DbStatus DeletePaymentsOutside(const QDate& first, const QDate& last);

    int Layout() const { return m_layout; }
    void SetLayout(int layout);

    DbStatus GetAllPayments(QList<_PaymentData>& payments);
    // NotFound when there is no payment with the key.
    DbStatus GetPayment(int id, _PaymentData& payment);
    // Inserts and sets payment.ID. InsertFailed.
    DbStatus AddPayment(_PaymentData& payment);
    DbStatus UpdatePayment(const _PaymentData& payment);
    DbStatus SelectPaymentsForItem(int itemId, QList<_PaymentData>& payments);
    // The entries booked to the item in first..last, newest first, read
    // through the stored query on this wrapper's connection.
    DbStatus GetPaymentHistory(int itemId, const QDate& first, const QDate& last, QList<_ViewEntry>& entries);

    // Moves every payment of the layout-0 table in oldFile into the current
    // table of newFile, each recurring in every month of the current year
    // (today's year) with 休日フラグ 0. The connection is reopened on newFile.
    // Returns 1 on success, 0 on failure (the caller restores its backup).
    static int ConvertLayout0(const QString& oldFile, const QString& newFile, CDBConnection& connection,
                              const QDate& today = QDate::currentDate());

    _PaymentData ParsePayment(const ValueMap& row) const;

private:
    int m_layout = 1;
};
