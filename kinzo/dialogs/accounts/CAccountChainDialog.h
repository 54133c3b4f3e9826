#pragma once
// The base of the small dialogs of "科目設定" that pick an account item of the
// dialog's own tree: a chain of combos (side and levels) with their captions,
// a "メニュー(&M)" button offering the tree as a popup menu, OK and Cancel.
// A derived dialog checks the choice in Accept and returns false (after its
// message) to keep the dialog open. User-interface thread only.

#include "kinzo/dialogs/CAccountComboChain.h"
#include "kinzo/dialogs/CAccountItemMenu.h"
#include "kolib/CKoVDialogBase.h"

#include <QStringList>

class CKoButton;
class CKoVComboBox;
class QGridLayout;
class QVBoxLayout;

class CAccountChainDialog : public CKoVDialogBase {
    Q_OBJECT
public:
    // The account chosen when the dialog ended with OK.
    AccountItemNode* Chosen() const { return m_chosen; }
    CAccountComboChain& Chain() { return m_chain; }
    CKoVComboBox* Combo(int level) const { return m_combos.value(level); }
    CKoButton* MenuButton() const { return m_menuButton; }
    // A command of the popup menu: selects its account.
    void OnMenuCommand(int commandId);
    void ShowAccountMenu();

protected:
    // captions and ids: one per combo, the side first; menuKind: the kind of
    // CAccountItemMenu offered.
    CAccountChainDialog(int resourceId, QWidget* parent, AccountItemList& tree, const QString& title,
                        const QStringList& captions, const QStringList& ids, int menuKind);

    void OnInitDialog() override;
    void OnOK() override;
    // The check of the chosen node (null when none); false keeps the dialog open.
    virtual bool Accept(AccountItemNode* chosen) = 0;

    QVBoxLayout* MainLayout() const { return m_layout; }
    QGridLayout* FieldGrid() const { return m_grid; }
    AccountItemList& Tree() { return m_tree; }
    void SetInitial(int accountId) { m_initial = accountId; }
    AccountItemNode* SelectedNode();

private:
    AccountItemList& m_tree;
    CAccountComboChain m_chain;
    CAccountItemMenu m_menu;
    int m_menuKind;
    int m_initial = 0;
    QList<CKoVComboBox*> m_combos;
    CKoButton* m_menuButton = nullptr;
    QVBoxLayout* m_layout = nullptr;
    QGridLayout* m_grid = nullptr;
    AccountItemNode* m_chosen = nullptr;
};
