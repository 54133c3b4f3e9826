#include "kinzo/dialogs/payments/CPaymentRegisterVer0Dialog.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/CExpenseAccountGroup.h"
#include "kinzo/dialogs/payments/PaymentStore.h"
#include "kolib/CKoCheckBox.h"
#include "kolib/CKoIntegerEdit.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoMnemonic.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CPaymentRegisterVer0Dialog::CPaymentRegisterVer0Dialog(QWidget* parent, CKinzoDoc& document)
    : CKoVDialogBase(ResourceId, parent), m_document(document), m_adding(true)
{
    BuildControls();
}

CPaymentRegisterVer0Dialog::CPaymentRegisterVer0Dialog(QWidget* parent, CKinzoDoc& document,
                                                       const _PaymentData& payment)
    : CKoVDialogBase(ResourceId, parent), m_document(document), m_adding(false), m_payment(payment)
{
    BuildControls();
}

void CPaymentRegisterVer0Dialog::BuildControls()
{
    setWindowTitle(m_adding ? u"支払い設定登録"_s : u"支払い設定変更"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_account = new CExpenseAccountGroup(*this, m_document);
    layout->addWidget(m_account->Box());
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    m_day = new CKoIntegerEdit(this);
    m_day->setObjectName(u"1068"_s);
    m_day->SetRange(0, 1, 31, 2);
    m_day->SetSpokenName(u"支払日(&D)"_s);
    auto* label = new QLabel(u"支払日(&D)"_s, this);
    KoTieLabel(label, m_day);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_day, 0, 1);
    m_announce = new CKoCheckBox(u"起動時に自動アナウンスする(&A)"_s, this);
    m_announce->setObjectName(u"1064"_s);
    grid->addWidget(m_announce, 1, 0, 1, 2);
    layout->addLayout(MakeOkCancelRow());
}

void CPaymentRegisterVer0Dialog::OnInitDialog()
{
    m_account->Select(m_adding ? 0 : m_payment.itemId);
    if (!m_adding) m_day->setText(QString::number(m_payment.payDay));
    m_announce->setChecked(m_payment.announce != 0);
    m_account->Chain().Combo(1)->setFocus(Qt::OtherFocusReason);
}

void CPaymentRegisterVer0Dialog::OnOK()
{
    const int itemId = m_account->CheckedAccount(this);
    if (itemId <= 0) return;
    // A payment without a day would never come due.
    if (m_day->text().trimmed().isEmpty()) {
        KoMessageBox(this, u"支払日が設定されていません。"_s);
        m_day->setFocus();
        return;
    }
    if (!m_day->CheckRange(false)) return;
    _PaymentData payment = m_payment;
    payment.itemId = itemId;
    payment.payDay = m_day->Value();
    payment.announce = m_announce->isChecked() ? 1 : 0;
    if (!StorePayment(this, m_document.PaymentTable(), payment, m_adding)) return;
    m_payment = payment;
    CKoVDialogBase::OnOK();
}
