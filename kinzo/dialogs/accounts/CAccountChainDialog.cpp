#include "kinzo/dialogs/accounts/CAccountChainDialog.h"

#include "kolib/CKoButton.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/KoMnemonic.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CAccountChainDialog::CAccountChainDialog(int resourceId, QWidget* parent, AccountItemList& tree, const QString& title,
                                         const QStringList& captions, const QStringList& ids, int menuKind)
    : CKoVDialogBase(resourceId, parent), m_tree(tree), m_menuKind(menuKind)
{
    setWindowTitle(title);
    m_layout = new QVBoxLayout(this);
    m_layout->setSizeConstraint(QLayout::SetFixedSize);
    m_grid = new QGridLayout;
    m_layout->addLayout(m_grid);
    for (int level = 0; level < captions.size(); ++level) {
        auto* combo = new CKoVComboBox(this);
        combo->setObjectName(ids.value(level));
        combo->setMinimumContentsLength(16);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        auto* label = new QLabel(captions[level], this);
        m_grid->addWidget(label, level, 0);
        m_grid->addWidget(combo, level, 1);
        KoTieLabel(label, combo);
        m_combos << combo;
    }
    m_chain.Init(&m_tree, 0);
    m_chain.AttachSide(m_combos.first());
    for (int level = 1; level < m_combos.size(); ++level) m_chain.AttachLevel(m_combos[level]);
    for (int level = 0; level < m_chain.Count(); ++level)
        connect(m_chain.Combo(level), &QComboBox::activated, this, [this, level] { m_chain.OnSelChange(level); });
    m_menuButton = new CKoButton(u"メニュー(&M)"_s, this);
    m_menuButton->setObjectName(u"1070"_s);
    m_menuButton->setAutoDefault(false);
    connect(m_menuButton, &QPushButton::clicked, this, &CAccountChainDialog::ShowAccountMenu);
}

void CAccountChainDialog::OnInitDialog()
{
    QHBoxLayout* buttons = MakeOkCancelRow();
    buttons->insertWidget(0, m_menuButton);
    m_layout->addLayout(buttons);
    m_chain.SelectAccount(m_initial);
    m_menu.Build(&m_tree, m_menuKind);
    if (m_combos.first()->isEnabled()) m_combos.first()->setFocus(Qt::OtherFocusReason);
}

AccountItemNode* CAccountChainDialog::SelectedNode()
{
    if (m_chain.DeepestLevel() < 0) return nullptr;
    return m_tree.Find(m_chain.SelectedAccountId());
}

void CAccountChainDialog::OnOK()
{
    AccountItemNode* node = SelectedNode();
    if (!Accept(node)) return;
    m_chosen = node;
    CKoVDialogBase::OnOK();
}

void CAccountChainDialog::ShowAccountMenu()
{
    QMenu* menu = m_menu.FirstSubMenu();
    if (!menu) return;
    const QAction* chosen = menu->exec(m_menuButton->mapToGlobal(m_menuButton->rect().bottomLeft()));
    if (chosen) OnMenuCommand(CAccountItemMenu::CommandOf(chosen));
}

void CAccountChainDialog::OnMenuCommand(int commandId)
{
    const int account = m_menu.AccountOfCommand(commandId);
    if (account > 0) m_chain.SelectAccount(account);
}
