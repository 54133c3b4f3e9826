#include "kinzo/dialogs/CExpenseAccountGroup.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/AccountMenuPopup.h"
#include "kinzo/dialogs/CAccountItemMenu.h"
#include "kolib/CKoButton.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoMnemonic.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace {

constexpr int ExpenseSide = 2;

CKoVComboBox* MakeCombo(QWidget* parent, const QString& id)
{
    auto* combo = new CKoVComboBox(parent);
    combo->setObjectName(id);
    combo->setMinimumContentsLength(16);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
}

}  // namespace

CExpenseAccountGroup::CExpenseAccountGroup(QWidget& dialog, CKinzoDoc& document)
    : QObject(&dialog), m_document(document)
{
    m_box = new QGroupBox(u"科目"_s, &dialog);
    auto* grid = new QGridLayout(m_box);
    CKoVComboBox* side = MakeCombo(&dialog, u"1009"_s);
    side->hide();
    m_chain.Init(&document.AccountItems(), 0);
    m_chain.AttachSide(side);
    const QString ids[3] = {u"1010"_s, u"1012"_s, u"1016"_s};
    for (int level = 1; level <= 3; ++level) {
        CKoVComboBox* combo = MakeCombo(m_box, ids[level - 1]);
        auto* label = new QLabel(CAccountComboChain::LevelLabel(level), m_box);
        grid->addWidget(label, level - 1, 0);
        grid->addWidget(combo, level - 1, 1);
        KoTieLabel(label, combo);
        m_chain.AttachLevel(combo);
        connect(combo, &QComboBox::activated, this, [this, level] { m_chain.OnSelChange(level); });
    }
    m_menuButton = new CKoButton(u"メニュー(&M)"_s, m_box);
    m_menuButton->setObjectName(u"1070"_s);
    m_menuButton->setAutoDefault(false);
    grid->addWidget(m_menuButton, 3, 1, Qt::AlignLeft);
    connect(m_menuButton, &QPushButton::clicked, this, &CExpenseAccountGroup::ShowMenu);
}

void CExpenseAccountGroup::Select(int id)
{
    if (id > 0) {
        m_chain.SelectAccount(id);
        return;
    }
    m_chain.SelectSide(ExpenseSide);
    m_chain.OnSelChange(0);
}

int CExpenseAccountGroup::CheckedAccount(QWidget* owner) const
{
    const int level = m_chain.DeepestLevel();
    if (level < 1) {
        KoMessageBox(owner, u"科目が選択されていません。"_s);
        return 0;
    }
    if (m_chain.HasChildren(level)) {
        KoMessageBox(owner, u"最下位の科目まで選択してください。"_s);
        return 0;
    }
    return m_chain.ItemData(level);
}

void CExpenseAccountGroup::ShowMenu()
{
    QMenu* menu = CAccountMenuSet::Of(m_document).ExpenseLeaf().FirstSubMenu();
    if (!menu) return;
    const QAction* chosen = ExecAccountMenu(*menu, *m_menuButton);
    if (chosen) OnMenuCommand(CAccountItemMenu::CommandOf(chosen));
}

void CExpenseAccountGroup::OnMenuCommand(int commandId)
{
    if (commandId < CAccountItemMenu::FirstCommandId || commandId > CAccountItemMenu::LastCommandId) return;
    const int account = CAccountMenuSet::Of(m_document).ExpenseLeaf().AccountOfCommand(commandId);
    if (account <= 0) return;
    m_chain.SelectAccount(account);
    SayChosenAccount(m_chain);
}
