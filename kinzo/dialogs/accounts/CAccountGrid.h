#pragma once
// The tree table of "科目設定": one row per account item in tree order, the
// name in the column of its level, then 使用開始, 使用終了 ("%4d年%2d月" when
// used) and 備考. Up and Down say the row from the first level whose code
// differs from the previous row's, so unchanged ancestors are not repeated,
// through the item's own name even when the cursor is in a column left of it;
// items below the roots end with " 親%d階層" or " リーフ". Rows deeper than the
// shown level are hidden (ShowToLevel). User-interface thread only.

#include "grid/CXGrid.h"

#include "kinzo/data/AccountItemList.h"

class CAccountGrid : public CXGrid {
    Q_OBJECT
public:
    enum Column { ColSide = 0, ColLevel1, ColLevel2, ColLevel3, ColStart, ColEnd, ColNote, ColumnCount };
    static constexpr int HeaderRow = 0;

    explicit CAccountGrid(QWidget* parent = nullptr);

    // Rows of every node of the tree; the cursor goes to `current` (when it is
    // shown) or the first row.
    void Fill(AccountItemList& tree, const AccountItemNode* current);
    // Shows the rows of levels 0 to `level` only.
    void ShowToLevel(int level);
    int ShownLevel() const { return m_shownLevel; }
    void ResetColumnWidths();

    AccountItemNode* NodeOfRow(int row) const;
    AccountItemNode* CurrentNode() const { return NodeOfRow(GetCurrentCell().row); }
    int RowOfNode(const AccountItemNode* node) const;

    QString BuildCellSpeech(CXCellID previous, CXCellID current, int key) const override;
    // Says the cursor's item from the side column on, as after a jump (after
    // an edit has rebuilt the grid).
    void SayCurrent();

Q_SIGNALS:
    void currentNodeChanged();

protected:
    void OnCursorMoved(CXCellID previous, CXCellID current) override;
    // Every move of an item row is said the tree's way, the first column too.
    void OnCellChanged(CXCellID previous, CXCellID current, int key) override;
    void changeEvent(QEvent* event) override;

private:
    void SetupColumns(int rowCount);
    void FillRow(int row, const AccountItemNode* node);
    QString ColumnSpeech(const AccountItemNode* node, int col) const;

    QList<AccountItemNode*> m_nodes;   // by row - 1
    int m_shownLevel = 3;
};
