#include "kinzo/dialogs/accounts/CAcntAddDialog.h"

#include "kinzo/data/FiscalYear.h"
#include "kinzo/data/SqlText.h"
#include "kinzo/dialogs/DialogTexts.h"
#include "kolib/CKoButton.h"
#include "kolib/CKoCheckBox.h"
#include "kolib/CKoEdit.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/CKoVDateTimeCtrl.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoMnemonic.h"

#include <QGridLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

CAcntAddDialog::CAcntAddDialog(QWidget* parent, int mode, AccountItemList& tree, AccountItemNode* item, int startMonth)
    : CAccountChainDialog(ResourceId, parent, tree, mode == ChangeMode ? u"変更"_s : u"新規登録"_s,
                          {CAccountComboChain::LevelLabel(0), CAccountComboChain::LevelLabel(1),
                           CAccountComboChain::LevelLabel(2)},
                          {u"1009"_s, u"1012"_s, u"1013"_s}, CAccountItemMenu::LeafMenu),
      m_mode(mode),
      m_node(item),
      m_startMonth(startMonth)
{
    BuildFields();
    const AccountItemNode* parentNode = mode == ChangeMode && item ? item->m_parent : item;
    SetInitial(parentNode && parentNode->m_depth >= 0 ? parentNode->m_data.ID : 0);
}

void CAcntAddDialog::BuildFields()
{
    QGridLayout* grid = FieldGrid();
    const auto addEdit = [this, grid](const QString& caption, const QString& id, int limit) {
        auto* label = new QLabel(caption, this);
        auto* edit = new CKoEdit(this);
        edit->setObjectName(id);
        edit->setMaxLength(limit);
        edit->SetSpokenName(caption);
        KoTieLabel(label, edit);
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        return edit;
    };
    const auto addMonth = [this, grid](const QString& caption, const QString& boxId, const QString& pickerId) {
        auto* box = new CKoCheckBox(caption, this);
        box->setObjectName(boxId);
        auto* picker = new CKoVDateTimeCtrl(this);
        picker->setObjectName(pickerId);
        picker->SetDisplayMode(1);
        picker->setAccessibleName(KoStripMnemonic(caption));
        picker->setEnabled(false);
        connect(box, &QCheckBox::toggled, picker, &QWidget::setEnabled);
        const int row = grid->rowCount();
        grid->addWidget(box, row, 0);
        grid->addWidget(picker, row, 1);
        return std::pair{box, picker};
    };
    m_name = addEdit(u"科目名(&N)"_s, u"1003"_s, 100);
    std::tie(m_startBox, m_startPicker) = addMonth(u"使用開始年月を使用(&S)"_s, u"1094"_s, u"1069"_s);
    std::tie(m_endBox, m_endPicker) = addMonth(u"使用終了年月を使用(&E)"_s, u"1099"_s, u"1086"_s);
    m_note = addEdit(u"備考(&B)"_s, u"1087"_s, 200);
}

void CAcntAddDialog::OnInitDialog()
{
    CAccountChainDialog::OnInitDialog();
    const QDate today = QDate::currentDate();
    if (m_mode == ChangeMode && m_node) {
        const _AccountItem& item = m_node->m_data;
        for (int level = 0; level < Chain().Count(); ++level) Chain().Combo(level)->setEnabled(false);
        MenuButton()->setEnabled(false);
        m_name->setText(item.name);
        m_startPicker->setDate(item.start.isValid() ? item.start : QDate(today.year(), 1, 1));
        m_endPicker->setDate(item.end.isValid() ? item.end : QDate(today.year(), 12, 1));
        m_startBox->setChecked(item.useStart != 0);
        m_endBox->setChecked(item.useEnd != 0);
        m_note->setText(item.note);
    } else {
        const int fiscalYear = FiscalYearOf(today, m_startMonth);
        m_startPicker->setDate(FiscalYearStart(fiscalYear, m_startMonth));
        m_endPicker->setDate(FiscalYearEnd(fiscalYear, m_startMonth));
    }
    m_name->setFocus(Qt::OtherFocusReason);
}

bool CAcntAddDialog::Refuse(const QString& text, QWidget* field)
{
    KoMessageBox(this, text);
    if (field && field->isEnabled()) field->setFocus(Qt::OtherFocusReason);
    return false;
}

bool CAcntAddDialog::Accept(AccountItemNode* chosen)
{
    const QString name = m_name->text().trimmed();
    if (name.isEmpty()) return Refuse(u"科目名を入力してください。"_s, m_name);
    if (HasForbiddenChar(name)) return Refuse(dialog_text::ForbiddenAccountName(), m_name);
    const QDate first = m_startPicker->date();
    const QDate last = m_endPicker->date();
    const bool useStart = m_startBox->isChecked();
    const bool useEnd = m_endBox->isChecked();
    if (useStart && useEnd && QDate(last.year(), last.month(), 1) < QDate(first.year(), first.month(), 1))
        return Refuse(u"有効終了日が有効開始日より前になっています。"_s, m_endPicker);
    if (m_mode == ChangeMode) {
        if (!m_node) return Refuse(dialog_text::NoAccountSelected(), nullptr);
        m_item = m_node->m_data;
    } else {
        if (!chosen) return Refuse(dialog_text::NoAccountSelected(), Chain().Combo(0));
        m_item = _AccountItem::ChildOf(chosen->m_data, name);
        m_item.ID = -1;
    }
    m_item.name = name;
    m_item.useStart = useStart ? 1 : 0;
    m_item.useEnd = useEnd ? 1 : 0;
    m_item.start = useStart ? QDate(first.year(), first.month(), 1) : QDate();
    m_item.end = useEnd ? QDate(last.year(), last.month(), 1).addMonths(1).addDays(-1) : QDate();
    m_item.note = m_note->text().trimmed();
    return true;
}
