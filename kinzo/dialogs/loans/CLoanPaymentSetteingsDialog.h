#pragma once
// "ローン設定": the loans of the list mode, ordered by first month, with their
// total, monthly instalment, first month and announce flag. Add and Change
// open the register dialog, Delete asks first; the view menu (Ctrl+1, 2, 3)
// shows loans with money owed, repaid loans or all and stores the choice
// ("LoanPaymentDisp"). The count is spoken on opening and after each refill.

#include "kinzo/data/CTableLoan.h"
#include "kinzo/dialogs/CRecordListDialog.h"

#include <array>

class CKinzoDoc;
class QAction;

class CLoanPaymentSetteingsDialog : public CRecordListDialog {
    Q_OBJECT
public:
    static constexpr int ResourceId = 180;

    CLoanPaymentSetteingsDialog(QWidget* parent, CKinzoDoc& document, int mode);

    int Mode() const { return m_mode; }
    void SetMode(int mode);
    void Refill();

    void OnAdd() override;
    void OnChange() override;
    void OnDelete() override;

protected:
    void OnInitDialog() override;

private:
    QStringList RowTexts(const _LoanData& loan) const;
    QString AccountName(int itemId) const;
    // Reads the selected row's loan; false after telling the user.
    bool ReadSelected(_LoanData& loan);

    CKinzoDoc& m_document;
    int m_mode;
    std::array<QAction*, 3> m_modeActions{};
};
