#include "kinzo/dialogs/loans/CLoanPaymentCheckDialog.h"

#include "CKinzoApp.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/CKinzoDialog.h"
#include "kinzo/dialogs/ModeMenu.h"
#include "kinzo/dialogs/loans/LoanListMode.h"
#include "kolib/CKoVListCtrl.h"
#include "kolib/KoAppVoice.h"
#include "kolib/KoMessageBox.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int RightAlignedFrom = 2;

}  // namespace

CLoanPaymentCheckDialog::CLoanPaymentCheckDialog(QWidget* parent, CKinzoDoc& document, int mode, const QDate& today)
    : CKoVDialogBase(ResourceId, parent), m_document(document), m_mode(ValidLoanListMode(mode)), m_today(today)
{
    setWindowTitle(u"ローン残確認"_s);
    auto* layout = new QVBoxLayout(this);
    m_list = new CKoVListCtrl(this);
    m_list->setObjectName(u"1000"_s);
    m_list->setHeaderLabels({u"科目名"_s, u"開始年月"_s, u"総返済額"_s, u"月返済額"_s, u"残り回数"_s, u"残額"_s});
    const int widths[] = {150, 120, 100, 100, 90, 100};
    for (int column = 0; column < 6; ++column) {
        m_list->setColumnWidth(column, widths[column]);
        if (column >= RightAlignedFrom) m_list->headerItem()->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    m_list->setMinimumWidth(680);
    m_list->SetEnterAction([this](Qt::KeyboardModifiers) {
        OpenSelected();
        return true;
    });
    layout->addWidget(m_list, 1);
    layout->addLayout(MakeOkCancelRow());
    OkButton()->setText(u"閉じる(&C)"_s);
    CancelButton()->hide();
    m_modeActions = BuildModeMenu(*this,
                                  {{{u"残ローンのみ表示(&1)"_s, 33018},
                                    {u"完済ローンのみ表示(&2)"_s, 33019},
                                    {u"すべて表示(&3)"_s, 33020}}},
                                  [this](int chosen) { SetMode(chosen); });
}

void CLoanPaymentCheckDialog::OnInitDialog()
{
    Refill();
    m_list->setFocus(Qt::OtherFocusReason);
}

void CLoanPaymentCheckDialog::Refill()
{
    m_modeActions[m_mode - 1]->setChecked(true);
    m_list->clear();
    QString failure;
    if (!FillLoanCheckRows(m_document, m_mode, m_today, m_rows, failure)) {
        m_rows.clear();
        KoMessageBox(this, failure);
        return;
    }
    for (const _LoanCheckRow& row : m_rows) {
        auto* item = new QTreeWidgetItem(m_list, row.texts);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        for (int column = RightAlignedFrom; column < row.texts.size(); ++column)
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (m_list->topLevelItemCount() > 0) m_list->setCurrentItem(m_list->topLevelItem(0));
    KoAppReadText(u"リスト件数は%1件です。"_s.arg(m_rows.size()));
}

void CLoanPaymentCheckDialog::SetMode(int mode)
{
    m_mode = ValidLoanListMode(mode);
    if (CKinzoApp* app = CKinzoApp::Instance()) app->m_iniFile.WriteLoanPaymentDisp(m_mode);
    Refill();
}

void CLoanPaymentCheckDialog::OpenSelected()
{
    const int index = m_list->currentItem() ? m_list->indexOfTopLevelItem(m_list->currentItem()) : -1;
    if (index < 0 || index >= m_rows.size()) return;
    const _LoanCheckRow row = m_rows.at(index);
    const QDate day = row.nextDue.isValid() ? row.nextDue : m_today;
    CKinzoDialog dialog(this, m_document, day, row.loan.itemId);
    dialog.PresetAmount(row.nextAmount);
    dialog.DoModal();
    Refill();
    m_list->ReturnToRow(index);   // after the count, the row as it now stands
}
