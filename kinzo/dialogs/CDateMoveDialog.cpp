#include "kinzo/dialogs/CDateMoveDialog.h"

#include "kolib/CKoVDateTimeCtrl.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoMnemonic.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CDateMoveDialog::CDateMoveDialog(QWidget* parent, Mode mode, const QDate& date)
    : CKoVDialogBase(0, parent), m_mode(mode), m_date(date.isValid() ? date : QDate::currentDate())
{
    setWindowTitle(u"日付"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* row = new QGridLayout;
    layout->addLayout(row);
    auto* label = new QLabel(u"日付(&D)"_s, this);
    m_picker = new CKoVDateTimeCtrl(this);
    m_picker->setObjectName(u"1026"_s);
    m_picker->SetDisplayMode(int(mode));
    row->addWidget(label, 0, 0);
    row->addWidget(m_picker, 0, 1);
    KoTieLabel(label, m_picker);
    layout->addLayout(MakeOkCancelRow());
}

void CDateMoveDialog::OnInitDialog()
{
    m_picker->setDate(m_date);
    m_picker->setFocus(Qt::OtherFocusReason);
}

void CDateMoveDialog::OnOK()
{
    const QDate chosen = m_picker->date();
    if (!chosen.isValid()) {
        KoMessageBox(this, u"存在しない日付です。"_s);
        return;
    }
    if (m_mode == DayMode) {
        m_date = chosen;
    } else {
        const int days = QDate(chosen.year(), chosen.month(), 1).daysInMonth();
        m_date = QDate(chosen.year(), chosen.month(), std::min(m_date.day(), days));
    }
    CKoVDialogBase::OnOK();
}
