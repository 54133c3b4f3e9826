#pragma once
// "ローン設定登録" / "ローン設定変更": a loan's account, total, monthly and
// bonus instalments, payment day, first month and announce flag. OK checks
// in a fixed order and stops at the first failure with its message; a
// monthly instalment below 1 is refused, since such a plan never ends. The
// remaining amount is the total less the account's entries from the first
// day of the first month on. One loan per account; a failed store leaves the
// dialog open with its input.

#include "kinzo/data/CTableLoan.h"
#include "kolib/CKoVDialogBase.h"

class CExpenseAccountGroup;
class CKinzoDoc;
class CKoCheckBox;
class CKoIntegerEdit;
class CKoVDateTimeCtrl;

class CLoanPaymentRegisterDialog : public CKoVDialogBase {
    Q_OBJECT
public:
    static constexpr int ResourceId = 179;

    CLoanPaymentRegisterDialog(QWidget* parent, CKinzoDoc& document);
    CLoanPaymentRegisterDialog(QWidget* parent, CKinzoDoc& document, const _LoanData& loan);

    // After OK: the loan as stored.
    const _LoanData& Loan() const { return m_loan; }
    CExpenseAccountGroup& Account() const { return *m_account; }
    // The integer field of a control id (1188, 1011, 1062, 1065, 1063, 1068).
    CKoIntegerEdit* Field(int id) const;

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void BuildControls();
    // The steps of OK in their order; each false after telling the user.
    bool CheckFields(int& itemId);
    bool TakeFields(int itemId, _LoanData& loan);
    bool Store(_LoanData& loan);

    CKinzoDoc& m_document;
    bool m_adding;
    _LoanData m_loan;
    CExpenseAccountGroup* m_account = nullptr;
    CKoIntegerEdit* m_total = nullptr;
    CKoIntegerEdit* m_monthly = nullptr;
    CKoIntegerEdit* m_bonusMonth1 = nullptr;
    CKoIntegerEdit* m_bonusMonth2 = nullptr;
    CKoIntegerEdit* m_bonusAmount = nullptr;
    CKoIntegerEdit* m_payDay = nullptr;
    CKoVDateTimeCtrl* m_start = nullptr;
    CKoCheckBox* m_announce = nullptr;
};
