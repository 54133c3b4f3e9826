#pragma once
// Pieces every ledger view has: the "前へ(Ctrl+←)" and "次へ(Ctrl+→)" buttons
// under its table, and the CSV save of its table.

#include <QString>

class CKoButton;
class CXGridModel;
class QBoxLayout;
class QWidget;

struct _StepButtons {
    CKoButton* previous = nullptr;
    CKoButton* next = nullptr;
};

// The two buttons in a row of their own at the end of the view's layout;
// they take the focus by Tab. The view connects what they do.
_StepButtons AddStepButtons(QWidget& view, QBoxLayout& layout);

// Asks for a file (the proposed name, ".csv") and writes the table there;
// "CSVファイル保存に失敗しました。" when it cannot be written.
void SaveTableCsv(QWidget& owner, const CXGridModel& grid, const QString& proposedName);
