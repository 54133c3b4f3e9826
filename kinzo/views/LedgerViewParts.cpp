#include "kinzo/views/LedgerViewParts.h"

#include "grid/CXGridModel.h"
#include "kolib/CKoButton.h"
#include "kolib/CKoVFileDialog.h"
#include "kolib/KoMessageBox.h"

#include <QBoxLayout>

using namespace Qt::StringLiterals;

_StepButtons AddStepButtons(QWidget& view, QBoxLayout& layout)
{
    auto* row = new QHBoxLayout;
    layout.addLayout(row);
    const _StepButtons buttons{new CKoButton(u"前へ(Ctrl+←)"_s, &view), new CKoButton(u"次へ(Ctrl+→)"_s, &view)};
    for (CKoButton* button : {buttons.previous, buttons.next}) {
        button->setFocusPolicy(Qt::StrongFocus);
        row->addWidget(button);
    }
    row->addStretch(1);
    return buttons;
}

void SaveTableCsv(QWidget& owner, const CXGridModel& grid, const QString& proposedName)
{
    const QString filter = u"CSVファイル(*%1)|*%1|すべてのファイル(*.*)|*.*||"_s.arg(u".csv"_s);
    CKoVFileDialog dialog(false, u".csv"_s, proposedName, QFileDialog::Options(), filter, &owner);
    if (dialog.DoModal() != QDialog::Accepted) return;
    if (!grid.WriteCsv(dialog.GetPathName())) KoMessageBox(&owner, u"CSVファイル保存に失敗しました。"_s);
}
