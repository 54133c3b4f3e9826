#pragma once
// The basic "支払い設定登録" / "支払い設定変更" of a data file whose payment
// table keeps the older layout: account, payment day and the announce flag
// only. Its payments carry no period, months or holiday rule; the check list
// and the start-up reminder take them as due every month, moved back to the
// working day before.

#include "kinzo/data/CTablePayment.h"
#include "kolib/CKoVDialogBase.h"

class CExpenseAccountGroup;
class CKinzoDoc;
class CKoCheckBox;
class CKoIntegerEdit;

class CPaymentRegisterVer0Dialog : public CKoVDialogBase {
    Q_OBJECT
public:
    static constexpr int ResourceId = 193;

    CPaymentRegisterVer0Dialog(QWidget* parent, CKinzoDoc& document);
    CPaymentRegisterVer0Dialog(QWidget* parent, CKinzoDoc& document, const _PaymentData& payment);

    const _PaymentData& Payment() const { return m_payment; }
    CExpenseAccountGroup& Account() const { return *m_account; }

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void BuildControls();

    CKinzoDoc& m_document;
    bool m_adding;
    _PaymentData m_payment;
    CExpenseAccountGroup* m_account = nullptr;
    CKoIntegerEdit* m_day = nullptr;
    CKoCheckBox* m_announce = nullptr;
};
