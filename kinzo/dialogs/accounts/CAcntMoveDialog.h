#pragma once
// "科目移動": picks the new parent of an account item (a 収支 item or an item
// of level 1 or 2). OK refuses, in this order, the current parent, the item
// itself, one of its descendants, and a parent under which the item's subtree
// would pass three levels. User-interface thread only.

#include "kinzo/dialogs/accounts/CAccountChainDialog.h"

class CAcntMoveDialog : public CAccountChainDialog {
    Q_OBJECT
public:
    static constexpr int ResourceId = 146;
    CAcntMoveDialog(QWidget* parent, AccountItemList& tree, AccountItemNode* item);

protected:
    bool Accept(AccountItemNode* chosen) override;

private:
    AccountItemNode* m_item;
};
