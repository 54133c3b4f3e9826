#include "kinzo/dialogs/payments/CPaymentSetteingsDialog.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/payments/CPaymentRegisterDialog.h"
#include "kinzo/dialogs/payments/CPaymentRegisterVer0Dialog.h"
#include "kolib/CKoVListCtrl.h"
#include "kolib/KoMessageBox.h"

using namespace Qt::StringLiterals;

CPaymentSetteingsDialog::CPaymentSetteingsDialog(QWidget* parent, CKinzoDoc& document)
    : CRecordListDialog(ResourceId, parent, {u"科目名"_s, u"自動アナウンス"_s}, {150, 130}), m_document(document)
{
    setWindowTitle(u"支払設定"_s);
}

void CPaymentSetteingsDialog::OnInitDialog()
{
    ClearRows();
    QList<_PaymentData> payments;
    if (m_document.PaymentTable().GetAllPayments(payments) != DbStatus::Ok) {
        KoMessageBox(this, u"定期支払いレコード読み込みに失敗しました。"_s);
        return;
    }
    for (const _PaymentData& payment : payments) SetRow(RowTexts(payment), payment.ID);
    if (List()->topLevelItemCount() > 0) SelectRow(List()->topLevelItem(0));
    List()->setFocus(Qt::OtherFocusReason);
    SpeakCount();
}

QString CPaymentSetteingsDialog::AccountName(int itemId) const
{
    const AccountItemNode* node = m_document.AccountItems().Find(itemId);
    return node ? node->m_data.name : QString();
}

QStringList CPaymentSetteingsDialog::RowTexts(const _PaymentData& payment) const
{
    return {AccountName(payment.itemId), payment.announce ? u"あり"_s : u"なし"_s};
}

bool CPaymentSetteingsDialog::RunRegister(_PaymentData& payment, bool adding)
{
    if (m_document.PaymentLayout() == 0) {
        auto dialog = adding ? std::make_unique<CPaymentRegisterVer0Dialog>(this, m_document)
                             : std::make_unique<CPaymentRegisterVer0Dialog>(this, m_document, payment);
        if (dialog->DoModal() != QDialog::Accepted) return false;
        payment = dialog->Payment();
        return true;
    }
    auto dialog = adding ? std::make_unique<CPaymentRegisterDialog>(this, m_document)
                         : std::make_unique<CPaymentRegisterDialog>(this, m_document, payment);
    if (dialog->DoModal() != QDialog::Accepted) return false;
    payment = dialog->Payment();
    return true;
}

void CPaymentSetteingsDialog::OnAdd()
{
    _PaymentData payment;
    if (!RunRegister(payment, true)) return;
    SelectRow(SetRow(RowTexts(payment), payment.ID));
}

void CPaymentSetteingsDialog::OnChange()
{
    QTreeWidgetItem* row = List()->FirstSelected();
    if (!row) return;
    _PaymentData payment;
    if (m_document.PaymentTable().GetPayment(SelectedId(), payment) != DbStatus::Ok) {
        KoMessageBox(this, u"定期支払いレコード取得に失敗しました。"_s);
        return;
    }
    if (RunRegister(payment, false)) SetRow(RowTexts(payment), payment.ID, row);
}

void CPaymentSetteingsDialog::OnDelete()
{
    QTreeWidgetItem* row = List()->FirstSelected();
    if (!row) return;
    _PaymentData payment;
    if (m_document.PaymentTable().GetPayment(SelectedId(), payment) != DbStatus::Ok) {
        KoMessageBox(this, u"定期支払いレコード取得に失敗しました。"_s);
        return;
    }
    const QString question = u"科目 %1 の支払確認設定を削除します。よろしいですか？"_s.arg(AccountName(payment.itemId));
    if (KoMessageBox(this, question, KoButtons::OkCancel) != KoAnswer::Ok) return;
    if (m_document.PaymentTable().DeleteById(payment.ID) != DbStatus::Ok) {
        KoMessageBox(this, u"定期支払いレコード削除に失敗しました。"_s);
        return;
    }
    delete row;
}
