#include "kinzo/dialogs/CRecordListDialog.h"

#include "kolib/CKoButton.h"
#include "kolib/CKoVListCtrl.h"
#include "kolib/KoAppVoice.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CRecordListDialog::CRecordListDialog(int resourceId, QWidget* parent, const QStringList& headings,
                                     const QList<int>& widths)
    : CKoVDialogBase(resourceId, parent)
{
    m_layout = new QVBoxLayout(this);
    m_list = new CKoVListCtrl(this);
    m_list->setObjectName(u"1000"_s);
    m_list->setHeaderLabels(headings);
    int total = 0;
    for (int column = 0; column < widths.size(); ++column) {
        m_list->setColumnWidth(column, widths[column]);
        total += widths[column];
    }
    m_list->setMinimumWidth(total + 20);
    m_list->SetEnterAction([this](Qt::KeyboardModifiers) {
        Run(&CRecordListDialog::OnChange);
        return true;
    });
    m_layout->addWidget(m_list, 1);

    auto* buttons = new QHBoxLayout;
    m_layout->addLayout(buttons);
    const struct {
        const char16_t* caption;
        const char16_t* id;
        void (CRecordListDialog::*action)();
    } items[] = {{u"追加(&A)...", u"1001", &CRecordListDialog::OnAdd},
                 {u"変更(&U)...", u"1043", &CRecordListDialog::OnChange},
                 {u"削除(&D)", u"1002", &CRecordListDialog::OnDelete}};
    for (const auto& item : items) {
        auto* button = new CKoButton(QString::fromUtf16(item.caption), this);
        button->setObjectName(QString::fromUtf16(item.id));
        button->setAutoDefault(false);
        const auto action = item.action;
        connect(button, &QPushButton::clicked, this, [this, action] { Run(action); });
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    buttons->addWidget(MakeOkButton(u"閉じる(&C)"_s));
    OkButton()->setAutoDefault(false);
}

int CRecordListDialog::SelectedId() const
{
    const QTreeWidgetItem* row = m_list->FirstSelected();
    return row ? row->data(0, Qt::UserRole).toInt() : 0;
}

QTreeWidgetItem* CRecordListDialog::SetRow(const QStringList& texts, int id, QTreeWidgetItem* row)
{
    if (!row) row = new QTreeWidgetItem(m_list);
    for (int column = 0; column < texts.size(); ++column) row->setText(column, texts[column]);
    for (int column = 1; column < texts.size(); ++column)
        if (m_list->headerItem()->textAlignment(column) & Qt::AlignRight)
            row->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    row->setData(0, Qt::UserRole, id);
    row->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return row;
}

void CRecordListDialog::SelectRow(QTreeWidgetItem* row)
{
    if (row) m_list->setCurrentItem(row);
}

void CRecordListDialog::ClearRows()
{
    m_list->clear();
}

void CRecordListDialog::SpeakCount() const
{
    KoAppReadText(u"リスト件数は%1件です。"_s.arg(m_list->topLevelItemCount()));
}

void CRecordListDialog::Run(void (CRecordListDialog::*action)())
{
    (this->*action)();
    // The row the action left selected, as it now reads, said once however
    // the keyboard comes back.
    m_list->ReturnToRow(m_list->indexOfTopLevelItem(m_list->currentItem()));
}
