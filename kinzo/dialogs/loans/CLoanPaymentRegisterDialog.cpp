#include "kinzo/dialogs/loans/CLoanPaymentRegisterDialog.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/CExpenseAccountGroup.h"
#include "kolib/CKoCheckBox.h"
#include "kolib/CKoIntegerEdit.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/CKoVDateTimeCtrl.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoMnemonic.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

// The data file keeps amounts in 32 bits.
constexpr int AmountMax = std::numeric_limits<qint32>::max();

QString NumberOrEmpty(qint64 value)
{
    return value == 0 ? QString() : QString::number(value);
}

bool IsEmpty(const CKoIntegerEdit* field)
{
    return field->text().trimmed().isEmpty();
}

}  // namespace

CLoanPaymentRegisterDialog::CLoanPaymentRegisterDialog(QWidget* parent, CKinzoDoc& document)
    : CKoVDialogBase(ResourceId, parent), m_document(document), m_adding(true)
{
    BuildControls();
}

CLoanPaymentRegisterDialog::CLoanPaymentRegisterDialog(QWidget* parent, CKinzoDoc& document, const _LoanData& loan)
    : CKoVDialogBase(ResourceId, parent), m_document(document), m_adding(false), m_loan(loan)
{
    BuildControls();
}

void CLoanPaymentRegisterDialog::BuildControls()
{
    setWindowTitle(m_adding ? u"ローン設定登録"_s : u"ローン設定変更"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_account = new CExpenseAccountGroup(*this, m_document);
    layout->addWidget(m_account->Box());
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    const auto addField = [this, grid](const QString& caption, int id, int minimum, int maximum, int digits) {
        auto* field = new CKoIntegerEdit(this);
        field->setObjectName(QString::number(id));
        field->SetRange(0, minimum, maximum, digits);
        field->SetSpokenName(caption);
        auto* label = new QLabel(caption, this);
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        KoTieLabel(label, field);
        return field;
    };
    m_total = addField(u"総返済額(&T)"_s, 1188, 0, AmountMax, 10);
    m_monthly = addField(u"月返済額(&G)"_s, 1011, 0, AmountMax, 10);   // Alt+M is the account menu
    m_bonusMonth1 = addField(u"賞与月１(&O)"_s, 1062, 1, 12, 2);
    m_bonusMonth2 = addField(u"賞与月２(&P)"_s, 1065, 1, 12, 2);
    m_bonusAmount = addField(u"賞与月金額(&Q)"_s, 1063, 0, AmountMax, 10);
    m_payDay = addField(u"支払日(&D)"_s, 1068, 1, 31, 2);
    m_start = new CKoVDateTimeCtrl(this);
    m_start->setObjectName(u"1069"_s);
    m_start->SetDisplayMode(1);
    auto* label = new QLabel(u"開始年月(&S)"_s, this);
    KoTieLabel(label, m_start);
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(m_start, row, 1);
    m_announce = new CKoCheckBox(u"起動時に自動アナウンスする(&A)"_s, this);
    m_announce->setObjectName(u"1064"_s);
    grid->addWidget(m_announce, row + 1, 0, 1, 2);
    layout->addLayout(MakeOkCancelRow());
}

CKoIntegerEdit* CLoanPaymentRegisterDialog::Field(int id) const
{
    return findChild<CKoIntegerEdit*>(QString::number(id));
}

void CLoanPaymentRegisterDialog::OnInitDialog()
{
    m_account->Select(m_adding ? 0 : m_loan.itemId);
    const QDate today = QDate::currentDate();
    m_start->setDate(m_loan.startMonth.isValid() ? m_loan.startMonth : QDate(today.year(), today.month(), 1));
    if (!m_adding) {
        m_total->setText(QString::number(m_loan.total));
        m_monthly->setText(QString::number(m_loan.monthly));
        m_bonusMonth1->setText(NumberOrEmpty(m_loan.bonusMonth1));
        m_bonusMonth2->setText(NumberOrEmpty(m_loan.bonusMonth2));
        m_bonusAmount->setText(NumberOrEmpty(m_loan.bonusAmount));
        m_payDay->setText(NumberOrEmpty(m_loan.payDay));
    }
    m_announce->setChecked(m_loan.announce != 0);
    m_account->Chain().Combo(1)->setFocus(Qt::OtherFocusReason);
}

bool CLoanPaymentRegisterDialog::CheckFields(int& itemId)
{
    itemId = m_account->CheckedAccount(this);
    if (itemId <= 0) return false;
    const struct {
        CKoIntegerEdit* field;
        const char16_t* missing;
    } required[] = {{m_total, u"総返済額が入力されていません。"},
                    {m_monthly, u"月返済額が入力されていません。"},
                    {m_payDay, u"支払日が入力されていません。"}};
    for (const auto& [field, missing] : required) {
        if (IsEmpty(field)) {
            KoMessageBox(this, QString::fromUtf16(missing));
            field->setFocus();
            return false;
        }
        // A plan without a monthly instalment would never be paid off.
        if (field == m_monthly && m_monthly->Value() < 1) {
            KoMessageBox(this, u"月返済額には1以上の金額を入力してください。"_s);
            m_monthly->setFocus();
            m_monthly->selectAll();
            return false;
        }
    }
    for (CKoIntegerEdit* field : {m_total, m_monthly, m_bonusMonth1, m_bonusMonth2, m_bonusAmount, m_payDay})
        if (!field->CheckRange(true)) return false;
    return true;
}

bool CLoanPaymentRegisterDialog::TakeFields(int itemId, _LoanData& loan)
{
    loan.itemId = itemId;
    loan.total = m_total->Value();
    loan.monthly = m_monthly->Value();
    loan.bonusMonth1 = m_bonusMonth1->Value();
    loan.bonusMonth2 = m_bonusMonth2->Value();
    loan.bonusAmount = m_bonusAmount->Value();
    loan.payDay = m_payDay->Value();
    loan.startMonth = QDate(m_start->date().year(), m_start->date().month(), 1);
    loan.announce = m_announce->isChecked() ? 1 : 0;
    qint64 paid = 0;
    if (m_document.LoanTable().GetPaidSince(loan, paid) != DbStatus::Ok) {
        KoMessageBox(this, u"出納レコード取得に失敗しました。"_s);
        return false;
    }
    loan.remaining = loan.total - paid;
    // A change keeps the payoff month of a loan that stays repaid.
    if (m_adding || loan.remaining >= 1) loan.endMonth = QDate();
    return true;
}

bool CLoanPaymentRegisterDialog::Store(_LoanData& loan)
{
    CTableLoan& table = m_document.LoanTable();
    QList<_LoanData> same;
    table.SelectLoansForItem(loan.itemId, same);
    if (std::any_of(same.begin(), same.end(), [&](const _LoanData& other) { return m_adding || other.ID != loan.ID; })) {
        KoMessageBox(this, u"この科目はすでに登録されています。"_s);
        return false;
    }
    if (m_adding && table.AddLoan(loan) != DbStatus::Ok) {
        KoMessageBox(this, u"分割支払いレコード追加に失敗しました。"_s);
        return false;
    }
    if (!m_adding && table.UpdateLoan(loan) != DbStatus::Ok) {
        KoMessageBox(this, u"分割支払いレコード更新に失敗しました。"_s);
        return false;
    }
    return true;
}

void CLoanPaymentRegisterDialog::OnOK()
{
    int itemId = 0;
    if (!CheckFields(itemId)) return;
    _LoanData loan = m_loan;
    if (!TakeFields(itemId, loan) || !Store(loan)) return;
    m_loan = loan;
    CKoVDialogBase::OnOK();
}
