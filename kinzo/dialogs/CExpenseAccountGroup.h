#pragma once
// The "科目" group of the payment and loan register dialogs: the side fixed
// to 支出 (its combo 1009 hidden), the three level combos 1010, 1012, 1016
// of one CAccountComboChain and the "メニュー(&M)" button 1070 with the
// document's 支出-side leaf menu. Only existing accounts can be chosen.

#include "kinzo/dialogs/CAccountComboChain.h"

#include <QObject>

class CKinzoDoc;
class CKoButton;
class CKoVComboBox;
class QGroupBox;
class QWidget;

class CExpenseAccountGroup : public QObject {
    Q_OBJECT
public:
    // Builds the group's controls as children of dialog.
    CExpenseAccountGroup(QWidget& dialog, CKinzoDoc& document);

    QGroupBox* Box() const { return m_box; }
    CAccountComboChain& Chain() { return m_chain; }

    // Selects the account (change mode), or only the 支出 side with level 1
    // filled when id is 0 (add mode).
    void Select(int id);
    // The chosen leaf account; 0 after telling the user "科目が選択されていません。"
    // or "最下位の科目まで選択してください。".
    int CheckedAccount(QWidget* owner) const;
    // A command of the account menu (2024 to 12024): selects its account.
    void OnMenuCommand(int commandId);
    void ShowMenu();

private:
    CKinzoDoc& m_document;
    CAccountComboChain m_chain;
    QGroupBox* m_box = nullptr;
    CKoButton* m_menuButton = nullptr;
};
