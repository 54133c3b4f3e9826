#include "kinzo/dialogs/settings/CStartMonthDialog.h"

#include "kolib/CKoVComboBox.h"
#include "kolib/KoMnemonic.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CStartMonthDialog::CStartMonthDialog(QWidget* parent, int month) : CKoVDialogBase(0, parent), m_month(month)
{
    setWindowTitle(u"年度開始月設定"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* row = new QGridLayout;
    layout->addLayout(row);
    auto* label = new QLabel(u"年度開始月(&1)"_s, this);
    m_combo = new CKoVComboBox(this);
    m_combo->setObjectName(u"1180"_s);
    m_combo->setEditable(true);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_combo->Setup(u"年度開始月"_s);
    for (int m = 1; m <= 12; ++m) m_combo->addItem(u"%1月"_s.arg(m));
    row->addWidget(label, 0, 0);
    row->addWidget(m_combo, 0, 1);
    KoTieLabel(label, m_combo);
    layout->addLayout(MakeOkCancelRow());
}

int CStartMonthDialog::MonthOf(const QString& text)
{
    qsizetype digits = 0;
    const QString trimmed = text.trimmed();
    while (digits < trimmed.size() && trimmed[digits].isDigit()) ++digits;
    const int value = trimmed.left(std::min<qsizetype>(digits, 4)).toInt();
    return std::clamp(value, 1, 12);
}

void CStartMonthDialog::OnInitDialog()
{
    m_combo->setCurrentIndex(std::clamp(m_month, 1, 12) - 1);
    m_combo->setFocus(Qt::OtherFocusReason);
}

void CStartMonthDialog::OnOK()
{
    m_month = MonthOf(m_combo->currentText());
    CKoVDialogBase::OnOK();
}
