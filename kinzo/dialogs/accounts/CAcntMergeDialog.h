#pragma once
// "科目統合": picks the leaf account item that takes over another's entries.
// OK refuses the item itself and an item with children.
// User-interface thread only.

#include "kinzo/dialogs/accounts/CAccountChainDialog.h"

class CAcntMergeDialog : public CAccountChainDialog {
    Q_OBJECT
public:
    static constexpr int ResourceId = 168;
    CAcntMergeDialog(QWidget* parent, AccountItemList& tree, AccountItemNode* item);

protected:
    bool Accept(AccountItemNode* chosen) override;

private:
    AccountItemNode* m_item;
};
