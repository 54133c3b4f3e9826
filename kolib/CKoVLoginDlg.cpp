#include "CKoVLoginDlg.h"

#include "CKoPasswordEdit.h"
#include "CKoPasswordStore.h"
#include "KoAppVoice.h"
#include "KoMessageBox.h"
#include "KoMnemonic.h"

#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CKoVLoginDlg::CKoVLoginDlg(const QString& title, const QString& prompt, QWidget* parent)
    : CKoVDialogBase(172, parent),
      m_title(title.isEmpty() ? u"KinzoVer2"_s : title),
      m_promptText(prompt.isEmpty() ? u"パスワードを入力して下さい。"_s : prompt)
{
    setWindowTitle(u"パスワード入力"_s);
    auto* layout = new QVBoxLayout(this);
    m_prompt = new QLabel(m_promptText, this);
    m_prompt->setWordWrap(true);
    m_edit = new CKoPasswordEdit(this);
    KoTieLabel(m_prompt, m_edit);
    layout->addWidget(m_prompt);
    layout->addWidget(m_edit);
    layout->addLayout(MakeOkCancelRow());
}

void CKoVLoginDlg::OnInitDialog()
{
    setWindowTitle(m_title);
    KoAppReadText(m_promptText, 1, 1);
    m_edit->PromptSaid();
}

void CKoVLoginDlg::OnOK()
{
    const QString password = m_edit->text().trimmed();
    const CKoPasswordStore store;
    if (store.ReadPasswordOn() && !store.VerifyPassword(password)) {
        KoMessageBox(this, u"パスワードが違います。"_s);
        m_edit->setFocus(Qt::OtherFocusReason);
        m_edit->selectAll();
        return;
    }
    CKoVDialogBase::OnOK();
}
