#pragma once
// "支払確認": for the month of its picker, which recurring payments are paid
// and which are still open. Enter on a row opens the entry dialog, in new
// mode on the due date with the account and the amount last paid for an open row, in
// change mode on the paid entry; the list is filled again afterwards so that
// a payment just booked is heard turning paid. The view menu (Ctrl+1, 2, 3)
// shows open, paid or all rows and stores the choice ("PaymentDisp").

#include "kinzo/dialogs/payments/PaymentCheckRows.h"
#include "kolib/CKoVDialogBase.h"

#include <array>
#include <QTimer>

class CKinzoDoc;
class CKoVDateTimeCtrl;
class CKoVListCtrl;
class QAction;

class CPaymentCheckDialog : public CKoVDialogBase {
    Q_OBJECT
public:
    static constexpr int ResourceId = 161;

    CPaymentCheckDialog(QWidget* parent, CKinzoDoc& document, const QDate& month, int mode);

    int Mode() const { return m_mode; }
    const QList<_PaymentCheckRow>& Rows() const { return m_rows; }
    CKoVListCtrl* List() const { return m_list; }

    // Reads the month again and speaks the count.
    void Refill();
    void SetMode(int mode);
    // Opens the entry dialog for the selected row.
    void OpenSelected();

protected:
    void OnInitDialog() override;

private:
    void BuildControls();

    CKinzoDoc& m_document;
    QDate m_month;
    int m_mode;
    QList<_PaymentCheckRow> m_rows;
    CKoVDateTimeCtrl* m_picker = nullptr;
    static constexpr int TypingPauseMs = 800;
    QTimer m_typingPause;
    CKoVListCtrl* m_list = nullptr;
    std::array<QAction*, 3> m_modeActions{};
};
