#pragma once
// The dialog "パスワード入力" (172): the user types the current password. Its
// title is the given one ("KinzoVer2" when none is given); on opening it says
// the prompt ("パスワードを入力して下さい。" when none is given) and waits
// until that is said. OK goes through only when protection is off or the
// password (blanks around it do not count) is the stored one; otherwise
// "パスワードが違います。" and the user tries again. Cancel returns Rejected.

#include "CKoVDialogBase.h"

class CKoPasswordEdit;
class QLabel;

class CKoVLoginDlg : public CKoVDialogBase {
    Q_OBJECT
public:
    CKoVLoginDlg(const QString& title, const QString& prompt, QWidget* parent = nullptr);

    CKoPasswordEdit* PasswordEdit() const { return m_edit; }

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    QString m_title;
    QString m_promptText;
    QLabel* m_prompt;
    CKoPasswordEdit* m_edit;
};
