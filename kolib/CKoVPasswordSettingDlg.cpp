#include "CKoVPasswordSettingDlg.h"

#include "CKoPasswordEdit.h"
#include "CKoPasswordStore.h"
#include "KoAppVoice.h"
#include "KoMessageBox.h"
#include "KoMnemonic.h"

#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CKoVPasswordSettingDlg::CKoVPasswordSettingDlg(const QString& prompt, QWidget* parent)
    : CKoVDialogBase(171, parent)
{
    setWindowTitle(u"パスワード設定"_s);
    auto* layout = new QVBoxLayout(this);
    m_prompt = new QLabel(prompt, this);
    m_prompt->setWordWrap(true);
    m_edit = new CKoPasswordEdit(this);
    KoTieLabel(m_prompt, m_edit);
    m_help = new QLabel(u"このパスワードは、このユーザーがKinzoVer2を起動するときに聞かれます。"
                        "データファイルそのものは暗号化されないので、ほかのプログラムで読むことができます。"
                        "データファイルを守るには、暗号化したホームフォルダーやディスクに置いてください。"_s,
                        this);
    m_help->setWordWrap(true);
    m_edit->setAccessibleDescription(m_help->text());
    // The only field: Enter in it confirms, as the manual tells the user.
    connect(m_edit, &QLineEdit::returnPressed, this, [this] { OnOK(); });
    layout->addWidget(m_prompt);
    layout->addWidget(m_edit);
    layout->addWidget(m_help);
    layout->addLayout(MakeOkCancelRow());
}

// What the password guards is said once, before the field names itself.
void CKoVPasswordSettingDlg::OnInitDialog()
{
    KoAppReadText(m_help->text(), 1, 1);
}

void CKoVPasswordSettingDlg::Refuse(const QString& message)
{
    KoMessageBox(this, message);
    m_edit->setFocus(Qt::OtherFocusReason);
    m_edit->selectAll();
}

void CKoVPasswordSettingDlg::OnOK()
{
    const QString password = m_edit->text().trimmed();
    if (password.isEmpty()) return Refuse(u"パスワードが入力されていません。"_s);
    if (password.toUcs4().size() < 4) return Refuse(u"パスワードは４文字以上を入力してください。"_s);
    CKoPasswordStore store;
    // The digest first: protection must never be on with the old or no password.
    if (!store.WritePassword(password) || !store.WritePasswordOn(1))
        return Refuse(u"パスワードを保存できませんでした。"_s);
    CKoVDialogBase::OnOK();
}
