#pragma once
// "支払い設定登録" / "支払い設定変更": a recurring payment of the current
// layout, with its account, payment day, period, months and holiday rule.
// The month presets ("すべての月", "奇数月", "偶数月", "クリア") set the twelve
// check boxes. OK checks in a fixed order, stops at the first failure with
// its message, and stores the payment (one per account); a failed store
// leaves the dialog open with its input.

#include "kinzo/data/CTablePayment.h"
#include "kolib/CKoVDialogBase.h"

class CExpenseAccountGroup;
class CKinzoDoc;
class CKoCheckBox;
class CKoIntegerEdit;
class CKoVComboBox;
class CKoVDateTimeCtrl;
class CKoVListCtrl;

class CPaymentRegisterDialog : public CKoVDialogBase {
    Q_OBJECT
public:
    static constexpr int ResourceId = 155;

    // Add mode.
    CPaymentRegisterDialog(QWidget* parent, CKinzoDoc& document);
    // Change mode on a stored payment.
    CPaymentRegisterDialog(QWidget* parent, CKinzoDoc& document, const _PaymentData& payment);

    // After OK: the payment as stored (with its id in add mode).
    const _PaymentData& Payment() const { return m_payment; }
    CExpenseAccountGroup& Account() const { return *m_account; }
    // Sets the twelve boxes from a preset index (0 all, 1 odd, 2 even, 3 none).
    void ApplyPreset(int preset);

protected:
    void OnInitDialog() override;
    void OnOK() override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void ShowPayment();
    // The steps of OK in their order; each false after telling the user.
    bool CheckFields(int& itemId);
    void TakeFields(int itemId);

    CKinzoDoc& m_document;
    bool m_adding;
    _PaymentData m_payment;
    CExpenseAccountGroup* m_account = nullptr;
    CKoIntegerEdit* m_day = nullptr;
    CKoVDateTimeCtrl* m_start = nullptr;
    CKoVDateTimeCtrl* m_end = nullptr;
    CKoVComboBox* m_preset = nullptr;
    CKoVListCtrl* m_months = nullptr;
    CKoVComboBox* m_holiday = nullptr;
    CKoCheckBox* m_announce = nullptr;
};
