#pragma once
// The dialog "パスワード入力" (172): the user types the current password. Its
// title is the given one ("KinzoVer2" when none is given); on opening it says
// the prompt ("パスワードを入力して下さい。" when none is given) and waits
// until that is said. OK (or Enter in the field) goes through only when protection is off or the
// password (blanks around it do not count) is the stored one; otherwise
// "パスワードが違います。" and the user tries again. From the third wrong
// password in a row (counted across the dialogs of one run) the next try
// waits, 2 seconds and twice as long after each further miss, up to 30: the
// message says how long, a try in the meantime is not checked, and "もう一度
// 入力できます。" is said when the wait is over. Cancel returns Rejected.

#include "CKoVDialogBase.h"

#include <QTimer>

class CKoPasswordEdit;
class QLabel;

class CKoVLoginDlg : public CKoVDialogBase {
    Q_OBJECT
public:
    CKoVLoginDlg(const QString& title, const QString& prompt, QWidget* parent = nullptr);

    CKoPasswordEdit* PasswordEdit() const { return m_edit; }
    // Seconds before the next try is checked; 0 when it may be made now.
    int SecondsToWait() const;

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void Refuse(const QString& message);
    void StartWait(int milliseconds);

    QTimer m_waitOver;
    QString m_title;
    QString m_promptText;
    QLabel* m_prompt;
    CKoPasswordEdit* m_edit;
};
