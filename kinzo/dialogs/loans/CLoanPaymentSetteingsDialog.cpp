#include "kinzo/dialogs/loans/CLoanPaymentSetteingsDialog.h"

#include "CKinzoApp.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/ModeMenu.h"
#include "kinzo/dialogs/loans/CLoanPaymentRegisterDialog.h"
#include "kinzo/dialogs/loans/LoanCheckRows.h"
#include "kinzo/dialogs/loans/LoanListMode.h"
#include "kolib/CKoVListCtrl.h"
#include "kolib/KoMessageBox.h"

using namespace Qt::StringLiterals;

CLoanPaymentSetteingsDialog::CLoanPaymentSetteingsDialog(QWidget* parent, CKinzoDoc& document, int mode)
    : CRecordListDialog(ResourceId, parent, {u"科目名"_s, u"総返済額"_s, u"月返済額"_s, u"開始年月"_s, u"自動アナウンス"_s},
                        {150, 100, 100, 120, 130}),
      m_document(document), m_mode(ValidLoanListMode(mode))
{
    setWindowTitle(u"ローン設定"_s);
    for (int column : {1, 2}) List()->headerItem()->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    m_modeActions = BuildModeMenu(*this,
                                  {{{u"残ローンのみ表示(&1)"_s, 33018},
                                    {u"完済ローンのみ表示(&2)"_s, 33019},
                                    {u"すべて表示(&3)"_s, 33020}}},
                                  [this](int chosen) { SetMode(chosen); });
}

void CLoanPaymentSetteingsDialog::OnInitDialog()
{
    Refill();
    List()->setFocus(Qt::OtherFocusReason);
}

void CLoanPaymentSetteingsDialog::Refill()
{
    m_modeActions[m_mode - 1]->setChecked(true);
    ClearRows();
    QList<_LoanData> loans;
    if (m_document.LoanTable().SelectLoans(LoanSelection(m_mode), loans) != DbStatus::Ok) {
        KoMessageBox(this, u"分割支払いレコード読み込みに失敗しました。"_s);
        return;
    }
    for (const _LoanData& loan : loans) SetRow(RowTexts(loan), loan.ID);
    if (List()->topLevelItemCount() > 0) SelectRow(List()->topLevelItem(0));
    SpeakCount();
}

void CLoanPaymentSetteingsDialog::SetMode(int mode)
{
    m_mode = ValidLoanListMode(mode);
    if (CKinzoApp* app = CKinzoApp::Instance()) app->m_iniFile.WriteLoanPaymentDisp(m_mode);
    Refill();
}

QString CLoanPaymentSetteingsDialog::AccountName(int itemId) const
{
    const AccountItemNode* node = m_document.AccountItems().Find(itemId);
    return node ? node->m_data.name : QString();
}

QStringList CLoanPaymentSetteingsDialog::RowTexts(const _LoanData& loan) const
{
    return {AccountName(loan.itemId), QString::number(loan.total), QString::number(loan.monthly),
            LoanMonthText(loan.startMonth), loan.announce ? u"あり"_s : u"なし"_s};
}

bool CLoanPaymentSetteingsDialog::ReadSelected(_LoanData& loan)
{
    if (m_document.LoanTable().GetLoan(SelectedId(), loan) == DbStatus::Ok) return true;
    KoMessageBox(this, u"分割支払いレコード取得に失敗しました。"_s);
    return false;
}

void CLoanPaymentSetteingsDialog::OnAdd()
{
    CLoanPaymentRegisterDialog dialog(this, m_document);
    if (dialog.DoModal() != QDialog::Accepted) return;
    SelectRow(SetRow(RowTexts(dialog.Loan()), dialog.Loan().ID));
}

void CLoanPaymentSetteingsDialog::OnChange()
{
    QTreeWidgetItem* row = List()->FirstSelected();
    _LoanData loan;
    if (!row || !ReadSelected(loan)) return;
    CLoanPaymentRegisterDialog dialog(this, m_document, loan);
    if (dialog.DoModal() == QDialog::Accepted) SetRow(RowTexts(dialog.Loan()), dialog.Loan().ID, row);
}

void CLoanPaymentSetteingsDialog::OnDelete()
{
    QTreeWidgetItem* row = List()->FirstSelected();
    _LoanData loan;
    if (!row || !ReadSelected(loan)) return;
    const QString question = u"科目 %1 の分割支払を削除します。よろしいですか？"_s.arg(AccountName(loan.itemId));
    if (KoMessageBox(this, question, KoButtons::OkCancel) != KoAnswer::Ok) return;
    if (m_document.LoanTable().DeleteById(loan.ID) != DbStatus::Ok) {
        KoMessageBox(this, u"分割支払いレコード削除に失敗しました。"_s);
        return;
    }
    delete row;
}
