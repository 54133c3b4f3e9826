#include "CSanboTaxRateDlg.h"

#include "kolib/CKoEdit.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoMnemonic.h"

#include <QLabel>
#include <QRegularExpression>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CSanboTaxRateDlg::CSanboTaxRateDlg(int rate, QWidget* parent)
    : CKoVDialogBase(130, parent), m_edit(new CKoEdit(this)), m_rate(rate)
{
    setWindowTitle(u"消費税率設定"_s);
    auto* label = new QLabel(u"消費税率(%)"_s, this);
    KoTieLabel(label, m_edit);
    m_edit->setObjectName(u"1000"_s);
    m_edit->setText(QString::number(rate));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addLayout(MakeOkCancelRow());
}

void CSanboTaxRateDlg::OnOK()
{
    // Full-width digits, as typed with the input method on, count as digits.
    const QString text = m_edit->text().normalized(QString::NormalizationForm_KC).trimmed();
    if (text.isEmpty()) return;
    static const QRegularExpression whole(u"^[0-9]{1,3}$"_s);
    const int rate = whole.match(text).hasMatch() ? text.toInt() : -1;
    if (rate < 0 || rate > 100) {
        KoMessageBox(this, u"消費税率は0から100までの整数で入力してください。"_s, KoButtons::Ok,
                     QString(), KoIcon::Warning);
        m_edit->setFocus();
        m_edit->selectAll();
        return;
    }
    m_rate = rate;
    CKoVDialogBase::OnOK();
}
