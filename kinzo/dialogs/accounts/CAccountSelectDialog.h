#pragma once
// "科目選択": the user picks a leaf account item through the account combo
// chain (or the "メニュー(&M)" button's leaf menu) and, optionally, a start
// and an end date, each switched on by its check box. OK checks, in order,
// that an account is chosen ("科目が選択されていません。") and that it has no
// sub-accounts ("最下位の科目まで選択してください。"); the dialog then stays
// open. Results: the account ID and the dates, a date whose box is not ticked
// coming back as an invalid QDate. User-interface thread only.

#include "kinzo/dialogs/CAccountComboChain.h"
#include "kolib/CKoVDialogBase.h"

#include <QDate>

class CKinzoDoc;
class CKoButton;
class CKoCheckBox;
class CKoVComboBox;
class CKoVDateTimeCtrl;

class CAccountSelectDialog : public CKoVDialogBase {
    Q_OBJECT
public:
    static constexpr int ResourceId = 192;

    // The account is preselected with its ancestors (none for 0 or below);
    // a valid date ticks its box.
    CAccountSelectDialog(QWidget* owner, CKinzoDoc& document, int accountId, const QDate& start, const QDate& end);
    ~CAccountSelectDialog() override;

    int AccountId() const { return m_resultAccount; }
    QDate StartDate() const { return m_resultStart; }
    QDate EndDate() const { return m_resultEnd; }

    CAccountComboChain& Chain() { return m_chain; }
    // A command of the account menu (2024 to 12024): selects its account.
    void OnMenuCommand(int commandId);
    void ShowAccountMenu();

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void BuildControls();
    void ConnectChain();

    CKinzoDoc& m_document;
    int m_initialAccount;
    QDate m_initialStart;
    QDate m_initialEnd;
    int m_resultAccount = 0;
    QDate m_resultStart;
    QDate m_resultEnd;
    CAccountComboChain m_chain;

    CKoVComboBox* m_combos[4] = {};
    CKoCheckBox* m_startBox = nullptr;
    CKoCheckBox* m_endBox = nullptr;
    CKoVDateTimeCtrl* m_startPicker = nullptr;
    CKoVDateTimeCtrl* m_endPicker = nullptr;
    CKoButton* m_menuButton = nullptr;
};
