#pragma once
// The viewer's find dialog: the text to look for (typed with the input
// method on, in hiragana), the direction, and whether case and whole words
// count. "次を検索" closes it with the request; the frame then searches.

#include "kolib/CKoVDialogBase.h"

#include <QTextDocument>

class CKoEdit;
class QCheckBox;
class QRadioButton;

struct FindRequest {
    QString text;
    bool down = true;
    bool matchCase = false;
    bool wholeWord = false;

    QTextDocument::FindFlags Flags() const;
};

class CFindDialog : public CKoVDialogBase {
    Q_OBJECT
public:
    explicit CFindDialog(const FindRequest& last, QWidget* parent = nullptr);
    // What the user asked for (valid after Accepted).
    FindRequest Request() const;

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    CKoEdit* m_text = nullptr;
    QRadioButton* m_up = nullptr;
    QRadioButton* m_down = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QCheckBox* m_wholeWord = nullptr;
};
