#include "kinzo/dialogs/payments/PaymentStore.h"

#include "kolib/KoMessageBox.h"

using namespace Qt::StringLiterals;

bool StorePayment(QWidget* owner, CTablePayment& table, _PaymentData& payment, bool adding)
{
    QList<_PaymentData> same;
    table.SelectPaymentsForItem(payment.itemId, same);
    const bool taken = std::any_of(same.begin(), same.end(),
                                   [&](const _PaymentData& other) { return adding || other.ID != payment.ID; });
    if (taken) {
        KoMessageBox(owner, u"この科目はすでに登録されています。"_s);
        return false;
    }
    if (adding && table.AddPayment(payment) != DbStatus::Ok) {
        KoMessageBox(owner, u"定期支払いレコード追加に失敗しました。"_s);
        return false;
    }
    if (!adding && table.UpdatePayment(payment) != DbStatus::Ok) {
        KoMessageBox(owner, u"定期支払いレコード更新に失敗しました。"_s);
        return false;
    }
    return true;
}
