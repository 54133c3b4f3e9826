#include "kinzo/dialogs/counterparties/CCaterAddDialog.h"
#include "kinzo/dialogs/counterparties/CCaterManageDialog.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/SqlText.h"
#include "kolib/CKoEdit.h"
#include "kolib/CKoVListCtrl.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoMnemonic.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CCaterAddDialog::CCaterAddDialog(QWidget* owner) : CKoVDialogBase(ResourceId, owner), m_change(false)
{
    BuildControls(u"相手先登録"_s);
}

CCaterAddDialog::CCaterAddDialog(QWidget* owner, const QString& currentName)
    : CKoVDialogBase(ResourceId, owner), m_change(true), m_name(currentName)
{
    BuildControls(u"相手先変更"_s);
}

void CCaterAddDialog::BuildControls(const QString& title)
{
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* label = new QLabel(u"取引先名称"_s, this);
    m_field = new CKoEdit(this);
    m_field->setObjectName(u"1003"_s);
    m_field->setMaxLength(100);
    m_field->setMinimumWidth(260);
    m_field->SetSpokenName(label->text());
    KoTieLabel(label, m_field);
    layout->addWidget(label);
    layout->addWidget(m_field);
    layout->addLayout(MakeOkCancelRow());
}

void CCaterAddDialog::OnInitDialog()
{
    m_field->setText(m_name);
    m_field->setFocus(Qt::OtherFocusReason);
}

void CCaterAddDialog::OnOK()
{
    const QString name = m_field->text().trimmed();
    const auto refuse = [this](const QString& text) {
        KoMessageBox(this, text);
        m_field->setFocus(Qt::OtherFocusReason);
    };
    if (name.isEmpty()) return refuse(u"相手先名称が入力されていません。"_s);
    if (HasForbiddenChar(name)) return refuse(u"相手先名称に許可されない文字が含まれています。"_s);
    if (m_change && name == m_name) {
        OnCancel();
        return;
    }
    m_name = name;
    CKoVDialogBase::OnOK();
}

CCaterManageDialog::CCaterManageDialog(QWidget* parent, CKinzoDoc& document)
    : CKoVDialogBase(ResourceId, parent), m_document(document)
{
    setWindowTitle(u"相手先一覧"_s);
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    m_list = new CKoVListCtrl(this);
    m_list->setObjectName(u"1000"_s);
    m_list->setAccessibleName(u"相手先一覧"_s);
    m_list->setHeaderLabels({u"相手先名称"_s});
    m_list->setColumnWidth(0, 150);
    m_list->setRootIsDecorated(false);
    m_list->setMinimumSize(260, 240);
    m_list->SetEnterAction([this](Qt::KeyboardModifiers modifiers) {
        if (modifiers != Qt::NoModifier) return false;
        Change();
        return true;
    });
    layout->addWidget(m_list, 1);
    auto* actions = new QHBoxLayout;
    const auto addButton = [this, actions](const QString& text, const QString& id, void (CCaterManageDialog::*run)()) {
        auto* button = new CKoButton(text, this);
        button->setObjectName(id);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, run);
        actions->addWidget(button);
    };
    addButton(u"追加(&A)..."_s, u"1001"_s, &CCaterManageDialog::Add);
    addButton(u"変更(&U)"_s, u"1043"_s, &CCaterManageDialog::Change);
    addButton(u"削除(&D)"_s, u"1002"_s, &CCaterManageDialog::Delete);
    actions->addStretch(1);
    layout->addLayout(actions);
    layout->addLayout(MakeOkCancelRow());
}

void CCaterManageDialog::OnInitDialog()
{
    QList<_CaterData> caters;
    m_document.CaterTable().GetAllCaters(caters);
    for (const _CaterData& cater : caters) {
        auto* row = new QTreeWidgetItem(m_list, {cater.name});
        row->setData(0, Qt::UserRole, cater.ID);
    }
    if (m_list->topLevelItemCount() > 0) m_list->setCurrentItem(m_list->topLevelItem(0));
    m_list->setFocus(Qt::OtherFocusReason);
}

bool CCaterManageDialog::NameTaken(const QString& name)
{
    QList<_CaterData> same;
    if (m_document.CaterTable().FindCaterByName(name, same) != DbStatus::Ok) return true;
    if (same.isEmpty()) return false;
    KoMessageBox(this, u"この名称は既に登録されています"_s);
    return true;
}

void CCaterManageDialog::Add()
{
    CCaterAddDialog dialog(this);
    if (dialog.DoModal() != QDialog::Accepted || NameTaken(dialog.Name())) return;
    _CaterData cater;
    cater.name = dialog.Name();
    if (m_document.CaterTable().AddCater(cater) != DbStatus::Ok) {
        KoMessageBox(this, u"相手先レコード追加に失敗しました。"_s);
        return;
    }
    auto* row = new QTreeWidgetItem(m_list, {cater.name});
    row->setData(0, Qt::UserRole, cater.ID);
    m_list->setCurrentItem(row);
    m_list->setFocus(Qt::OtherFocusReason);
    m_list->SayCurrent();
}

void CCaterManageDialog::Change()
{
    QTreeWidgetItem* row = m_list->currentItem();
    if (!row || !row->isSelected()) return;
    CCaterAddDialog dialog(this, row->text(0));
    const bool renamed = dialog.DoModal() == QDialog::Accepted && !NameTaken(dialog.Name());
    if (renamed) {
        const _CaterData cater{row->data(0, Qt::UserRole).toInt(), dialog.Name(), 0};
        if (m_document.CaterTable().UpdateCater(cater) == DbStatus::Ok) row->setText(0, cater.name);
        else KoMessageBox(this, u"相手先レコード更新に失敗しました。"_s);
    }
    m_list->setFocus(Qt::OtherFocusReason);
    m_list->SayCurrent();
}

void CCaterManageDialog::Delete()
{
    QTreeWidgetItem* row = m_list->currentItem();
    if (!row || !row->isSelected()) return;
    if (KoMessageBox(this, u"%1 を削除してよろしいですか？"_s.arg(row->text(0)), KoButtons::OkCancel) != KoAnswer::Ok)
        return;
    if (m_document.CaterTable().DeleteById(row->data(0, Qt::UserRole).toInt()) != DbStatus::Ok) {
        KoMessageBox(this, u"相手先レコード削除に失敗しました。"_s);
        return;
    }
    delete row;
    m_list->setFocus(Qt::OtherFocusReason);
    m_list->SayCurrent();
}
