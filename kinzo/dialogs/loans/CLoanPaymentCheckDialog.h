#pragma once
// "ローン残確認": for each loan of the list mode, the remaining amount and the
// instalments still to pay. Enter on a row opens the entry dialog on the
// payment day of the first month still to pay, with the loan's account and
// that month's instalment; the list is filled again afterwards, so the new
// remaining amount is heard. The view menu (Ctrl+1, 2, 3) shows loans with
// money owed, repaid loans or all, and stores the choice ("LoanPaymentDisp").

#include "kinzo/dialogs/loans/LoanCheckRows.h"
#include "kolib/CKoVDialogBase.h"

#include <array>

class CKinzoDoc;
class CKoVListCtrl;
class QAction;

class CLoanPaymentCheckDialog : public CKoVDialogBase {
    Q_OBJECT
public:
    // The dialog has no number of its own; 0 leaves the object name free.
    static constexpr int ResourceId = 0;

    // today: the month the instalments are counted from.
    CLoanPaymentCheckDialog(QWidget* parent, CKinzoDoc& document, int mode,
                            const QDate& today = QDate::currentDate());

    int Mode() const { return m_mode; }
    const QList<_LoanCheckRow>& Rows() const { return m_rows; }
    CKoVListCtrl* List() const { return m_list; }

    // Reads the loans again and speaks the count.
    void Refill();
    void SetMode(int mode);
    void OpenSelected();

protected:
    void OnInitDialog() override;

private:
    CKinzoDoc& m_document;
    int m_mode;
    QDate m_today;
    QList<_LoanCheckRow> m_rows;
    CKoVListCtrl* m_list = nullptr;
    std::array<QAction*, 3> m_modeActions{};
};
