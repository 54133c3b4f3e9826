#pragma once
// "支払設定": the recurring payments of the data file, one row each in table
// order with the account name and whether it is announced at start-up.
// Add and Change open the register dialog of the file's payment layout (the
// full one, or the basic one for a file of the older layout); Delete asks
// first. The count is spoken when the dialog opens.

#include "kinzo/data/CTablePayment.h"
#include "kinzo/dialogs/CRecordListDialog.h"

class CKinzoDoc;

class CPaymentSetteingsDialog : public CRecordListDialog {
    Q_OBJECT
public:
    static constexpr int ResourceId = 160;

    CPaymentSetteingsDialog(QWidget* parent, CKinzoDoc& document);

    void OnAdd() override;
    void OnChange() override;
    void OnDelete() override;

protected:
    void OnInitDialog() override;

private:
    QStringList RowTexts(const _PaymentData& payment) const;
    QString AccountName(int itemId) const;
    // Runs the register dialog of the file's layout; true after OK.
    bool RunRegister(_PaymentData& payment, bool adding);

    CKinzoDoc& m_document;
};
