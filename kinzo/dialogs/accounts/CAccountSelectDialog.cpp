#include "kinzo/dialogs/accounts/CAccountSelectDialog.h"

#include "kinzo/dialogs/TickedDateRow.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/CAccountItemMenu.h"
#include "kinzo/dialogs/DialogTexts.h"
#include "kolib/CKoButton.h"
#include "kolib/CKoCheckBox.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/CKoVDateTimeCtrl.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoMnemonic.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CAccountSelectDialog::CAccountSelectDialog(QWidget* owner, CKinzoDoc& document, int accountId, const QDate& start,
                                           const QDate& end)
    : CKoVDialogBase(ResourceId, owner),
      m_document(document),
      m_initialAccount(accountId),
      m_initialStart(start),
      m_initialEnd(end)
{
    BuildControls();
}

CAccountSelectDialog::~CAccountSelectDialog() = default;

void CAccountSelectDialog::BuildControls()
{
    setWindowTitle(u"科目選択"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    const char* comboIds[4] = {"1009", "1010", "1012", "1016"};
    for (int level = 0; level < 4; ++level) {
        auto* combo = new CKoVComboBox(this);
        combo->setObjectName(QString::fromLatin1(comboIds[level]));
        combo->setMinimumContentsLength(16);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        auto* label = new QLabel(CAccountComboChain::LevelLabel(level), this);
        grid->addWidget(label, level, 0);
        grid->addWidget(combo, level, 1);
        KoTieLabel(label, combo);
        m_combos[level] = combo;
    }
    m_startBox = new CKoCheckBox(u"開始日付(&S)"_s, this);
    m_startBox->setObjectName(u"1189"_s);
    m_startPicker = AddTickedDateRow(*this, *grid, *m_startBox, "1026");
    m_endBox = new CKoCheckBox(u"終了日付(&E)"_s, this);
    m_endBox->setObjectName(u"1190"_s);
    m_endPicker = AddTickedDateRow(*this, *grid, *m_endBox, "1164");

    auto* buttons = MakeOkCancelRow();
    m_menuButton = new CKoButton(u"メニュー(&M)"_s, this);
    m_menuButton->setObjectName(u"1070"_s);
    m_menuButton->setAutoDefault(false);
    connect(m_menuButton, &QPushButton::clicked, this, &CAccountSelectDialog::ShowAccountMenu);
    buttons->insertWidget(0, m_menuButton);
    layout->addLayout(buttons);
    ConnectChain();
}

void CAccountSelectDialog::ConnectChain()
{
    m_chain.Init(&m_document.AccountItems(), 0);
    m_chain.AttachSide(m_combos[0]);
    for (int level = 1; level < 4; ++level) m_chain.AttachLevel(m_combos[level]);
    for (int level = 0; level < m_chain.Count(); ++level)
        connect(m_chain.Combo(level), &QComboBox::activated, this, [this, level] { m_chain.OnSelChange(level); });
}

void CAccountSelectDialog::OnInitDialog()
{
    m_chain.SelectAccount(m_initialAccount);
    // An unticked picker still offers a sensible day once it is switched on.
    const QDate today = QDate::currentDate();
    m_startPicker->setDate(m_initialStart.isValid() ? m_initialStart : today);
    m_endPicker->setDate(m_initialEnd.isValid() ? m_initialEnd : today);
    m_startBox->setChecked(m_initialStart.isValid());
    m_endBox->setChecked(m_initialEnd.isValid());
    m_combos[0]->setFocus(Qt::OtherFocusReason);
}

void CAccountSelectDialog::OnOK()
{
    const int level = m_chain.DeepestLevel();
    if (level < 1) {
        KoMessageBox(this, dialog_text::NoAccountSelected());
        return;
    }
    if (m_chain.HasChildren(level)) {
        KoMessageBox(this, dialog_text::SelectLeafAccount());
        return;
    }
    m_resultAccount = m_chain.SelectedAccountId();
    m_resultStart = m_startBox->isChecked() ? m_startPicker->date() : QDate();
    m_resultEnd = m_endBox->isChecked() ? m_endPicker->date() : QDate();
    CKoVDialogBase::OnOK();
}

void CAccountSelectDialog::ShowAccountMenu()
{
    QMenu* menu = CAccountMenuSet::Of(m_document).Leaf().FirstSubMenu();
    if (!menu) return;
    const QAction* chosen = menu->exec(m_menuButton->mapToGlobal(m_menuButton->rect().bottomLeft()));
    if (chosen) OnMenuCommand(CAccountItemMenu::CommandOf(chosen));
}

void CAccountSelectDialog::OnMenuCommand(int commandId)
{
    if (commandId < CAccountItemMenu::FirstCommandId || commandId > CAccountItemMenu::LastCommandId) return;
    const int account = CAccountMenuSet::Of(m_document).Leaf().AccountOfCommand(commandId);
    if (account > 0) m_chain.SelectAccount(account);
}
