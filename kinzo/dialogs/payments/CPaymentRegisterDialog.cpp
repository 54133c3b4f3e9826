#include "kinzo/dialogs/payments/CPaymentRegisterDialog.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/CExpenseAccountGroup.h"
#include "kinzo/dialogs/payments/PaymentStore.h"
#include "kolib/CKoCheckBox.h"
#include "kolib/CKoIntegerEdit.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/CKoVDateTimeCtrl.h"
#include "kolib/CKoVListCtrl.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoMnemonic.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

bool MonthInPreset(int preset, int month)
{
    switch (preset) {
    case 0: return true;
    case 1: return month % 2 == 1;
    case 2: return month % 2 == 0;
    default: return false;
    }
}

}  // namespace

CPaymentRegisterDialog::CPaymentRegisterDialog(QWidget* parent, CKinzoDoc& document)
    : CKoVDialogBase(ResourceId, parent), m_document(document), m_adding(true)
{
    const int year = QDate::currentDate().year();
    m_payment.start = QDate(year, 1, 1);
    m_payment.end = QDate(year, 12, 31);
    m_payment.months.fill(1);
    BuildControls();
}

CPaymentRegisterDialog::CPaymentRegisterDialog(QWidget* parent, CKinzoDoc& document, const _PaymentData& payment)
    : CKoVDialogBase(ResourceId, parent), m_document(document), m_adding(false), m_payment(payment)
{
    BuildControls();
}

void CPaymentRegisterDialog::BuildControls()
{
    setWindowTitle(m_adding ? u"支払い設定登録"_s : u"支払い設定変更"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_account = new CExpenseAccountGroup(*this, m_document);
    layout->addWidget(m_account->Box());

    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    const auto addRow = [this, grid](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        KoTieLabel(label, field);
    };
    m_day = new CKoIntegerEdit(this);
    m_day->setObjectName(u"1068"_s);
    m_day->SetRange(0, 1, 31, 2);
    m_day->SetSpokenName(u"支払日(&D)"_s);
    addRow(u"支払日(&D)"_s, m_day);
    m_start = new CKoVDateTimeCtrl(this);
    m_start->setObjectName(u"1026"_s);
    addRow(u"開始日(S)"_s, m_start);
    m_end = new CKoVDateTimeCtrl(this);
    m_end->setObjectName(u"1164"_s);
    addRow(u"終了日(E)"_s, m_end);
    m_preset = new CKoVComboBox(this);
    m_preset->setObjectName(u"1052"_s);
    m_preset->addItems({u"すべての月"_s, u"奇数月"_s, u"偶数月"_s, u"クリア"_s});
    addRow(u"設定月(M)"_s, m_preset);
    connect(m_preset, &QComboBox::activated, this, &CPaymentRegisterDialog::ApplyPreset);

    m_months = new CKoVListCtrl(this);
    m_months->setObjectName(u"1150"_s);
    m_months->setHeaderLabels({u"設定月"_s});
    m_months->setHeaderHidden(true);
    m_months->setAccessibleName(u"設定月"_s);
    for (int month = 1; month <= 12; ++month) {
        auto* item = new QTreeWidgetItem(m_months, {u"%1月"_s.arg(month)});
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
    }
    m_months->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->addWidget(m_months, grid->rowCount(), 1);

    m_holiday = new CKoVComboBox(this);
    m_holiday->setObjectName(u"1067"_s);
    m_holiday->addItems({u"直前の平日に変更する"_s, u"直後の平日に変更する"_s, u"変更しない"_s});
    addRow(u"休日・祝日の場合"_s, m_holiday);
    m_announce = new CKoCheckBox(u"起動時に自動アナウンスする(&A)"_s, this);
    m_announce->setObjectName(u"1064"_s);
    grid->addWidget(m_announce, grid->rowCount(), 0, 1, 2);

    layout->addLayout(MakeOkCancelRow());
}

void CPaymentRegisterDialog::OnInitDialog()
{
    m_account->Select(m_adding ? 0 : m_payment.itemId);
    ShowPayment();
    m_account->Chain().Combo(1)->setFocus(Qt::OtherFocusReason);
}

void CPaymentRegisterDialog::showEvent(QShowEvent* event)
{
    CKoVDialogBase::showEvent(event);
    // Half the months in view at the magnification the dialog opened with.
    m_months->setFixedHeight(m_months->sizeHintForRow(0) * 6 + 2 * m_months->frameWidth());
}

void CPaymentRegisterDialog::ShowPayment()
{
    if (!m_adding) m_day->setText(QString::number(m_payment.payDay));
    m_start->setDate(m_payment.start.isValid() ? m_payment.start : QDate(QDate::currentDate().year(), 1, 1));
    m_end->setDate(m_payment.end.isValid() ? m_payment.end : QDate(QDate::currentDate().year(), 12, 31));
    m_preset->setCurrentIndex(std::clamp(m_payment.monthFlag, 0, 3));
    for (int month = 0; month < 12; ++month)
        m_months->topLevelItem(month)->setCheckState(0, m_payment.months[month] ? Qt::Checked : Qt::Unchecked);
    m_holiday->setCurrentIndex(std::clamp(m_payment.holidayRule, 0, 2));
    m_announce->setChecked(m_payment.announce != 0);
}

void CPaymentRegisterDialog::ApplyPreset(int preset)
{
    for (int month = 1; month <= 12; ++month)
        m_months->topLevelItem(month - 1)->setCheckState(0, MonthInPreset(preset, month) ? Qt::Checked : Qt::Unchecked);
}

bool CPaymentRegisterDialog::CheckFields(int& itemId)
{
    itemId = m_account->CheckedAccount(this);
    if (itemId <= 0) return false;
    if (m_day->text().trimmed().isEmpty()) {
        KoMessageBox(this, u"支払日が設定されていません。"_s);
        m_day->setFocus();
        return false;
    }
    if (!m_day->CheckRange(false)) return false;
    if (m_day->Value() >= 29
        && KoMessageBox(this,
                        u"支払日が29日から31日の場合、月によっては、\n支払日のメッセージを表示することができませんが、それでよろしいですか？"_s,
                        KoButtons::OkCancel)
               != KoAnswer::Ok)
        return false;
    for (int month = 0; month < 12; ++month)
        if (m_months->topLevelItem(month)->checkState(0) == Qt::Checked) return true;
    KoMessageBox(this, u"月が設定されていません。"_s);
    return false;
}

void CPaymentRegisterDialog::TakeFields(int itemId)
{
    m_payment.itemId = itemId;
    m_payment.payDay = m_day->Value();
    m_payment.start = m_start->date();
    m_payment.end = m_end->date();
    m_payment.monthFlag = m_preset->currentIndex();
    for (int month = 0; month < 12; ++month)
        m_payment.months[month] = m_months->topLevelItem(month)->checkState(0) == Qt::Checked ? 1 : 0;
    m_payment.holidayRule = m_holiday->currentIndex();
    m_payment.announce = m_announce->isChecked() ? 1 : 0;
}

void CPaymentRegisterDialog::OnOK()
{
    int itemId = 0;
    if (!CheckFields(itemId)) return;
    _PaymentData kept = m_payment;
    TakeFields(itemId);
    if (!StorePayment(this, m_document.PaymentTable(), m_payment, m_adding)) {
        m_payment = kept;
        return;
    }
    CKoVDialogBase::OnOK();
}
