#pragma once
// The dialog "パスワード設定" (171): the user types a new password below a
// prompt. OK (or Enter in the field) refuses an empty password and one of fewer than four characters
// (blanks around it do not count) and otherwise stores its digest and turns
// protection on; Cancel changes nothing. On opening it says what the password
// guards (starting the cash book) and what it does not (the data file).

#include "CKoVDialogBase.h"

class CKoPasswordEdit;
class QLabel;

class CKoVPasswordSettingDlg : public CKoVDialogBase {
    Q_OBJECT
public:
    explicit CKoVPasswordSettingDlg(const QString& prompt, QWidget* parent = nullptr);

    CKoPasswordEdit* PasswordEdit() const { return m_edit; }

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void Refuse(const QString& message);

    QLabel* m_prompt;
    CKoPasswordEdit* m_edit;
    QLabel* m_help;
};
