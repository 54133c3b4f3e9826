#include "kinzo/dialogs/CAccountItemMenu.h"

#include "kinzo/data/CKinzoDoc.h"

#include <QMenu>

using namespace Qt::StringLiterals;

namespace {

const char* const CommandProperty = "accountCommandId";

// Names cannot hold "&", but an old or imported file may: shown literally.
QString MenuText(const QString& name)
{
    QString text = name;
    return text.replace(u'&', u"&&"_s);
}

}  // namespace

CAccountItemMenu::CAccountItemMenu() = default;
CAccountItemMenu::~CAccountItemMenu() = default;

void CAccountItemMenu::Build(const AccountItemNode* root, int kind)
{
    m_menu = std::make_unique<QMenu>();
    m_kind = kind == ParentMenu ? ParentMenu : LeafMenu;
    m_nextId = FirstCommandId;
    m_actions.clear();
    m_accounts.clear();
    if (root) AppendNode(m_menu.get(), root);
}

void CAccountItemMenu::BuildSide(const AccountItemNode* root, int side, int kind)
{
    const AccountItemNode* found = nullptr;
    for (const AccountItemNode* child = root ? root->m_firstChild : nullptr; child && !found; child = child->m_next)
        if (child->m_data.side == side) found = child;
    Build(found, kind);
}

void CAccountItemMenu::AppendNode(QMenu* parent, const AccountItemNode* node)
{
    auto* sub = new QMenu(MenuText(node->m_data.name), parent);
    for (const AccountItemNode* child = node->m_firstChild; child; child = child->m_next) {
        if (m_kind == LeafMenu) {
            if (child->HasChildren()) AppendNode(sub, child);
            else AddAccount(sub, child);
        } else if (child->HasChildren()) {
            if (child->m_firstChild->HasChildren()) AppendNode(sub, child);
            else AddAccount(sub, child);
        }
    }
    parent->addMenu(sub);
}

void CAccountItemMenu::AddAccount(QMenu* menu, const AccountItemNode* node)
{
    if (m_nextId > LastCommandId) return;
    QAction* action = menu->addAction(MenuText(node->m_data.name));
    action->setData(node->m_data.ID);
    action->setProperty(CommandProperty, m_nextId);
    m_actions.insert(m_nextId, action);
    m_accounts.insert(m_nextId, node->m_data.ID);
    ++m_nextId;
}

QMenu* CAccountItemMenu::FirstSubMenu() const
{
    if (!m_menu) return nullptr;
    for (QAction* action : m_menu->actions())
        if (action->menu()) return action->menu();
    return nullptr;
}

int CAccountItemMenu::AccountOfCommand(int commandId) const
{
    return m_accounts.value(commandId, -1);
}

int CAccountItemMenu::CommandOf(const QAction* action)
{
    if (!action) return -1;
    const QVariant id = action->property(CommandProperty);
    return id.isValid() ? id.toInt() : -1;
}

QAction* CAccountItemMenu::ActionOfCommand(int commandId) const
{
    return m_actions.value(commandId, nullptr);
}

CAccountMenuSet::CAccountMenuSet(CKinzoDoc& document) : QObject(&document), m_document(document)
{
    setObjectName(u"CAccountMenuSet"_s);
    connect(&document, &CKinzoDoc::AccountTreeReloaded, this, &CAccountMenuSet::Rebuild);
    Rebuild();
}

CAccountMenuSet& CAccountMenuSet::Of(CKinzoDoc& document)
{
    if (auto* existing = document.findChild<CAccountMenuSet*>(QString(), Qt::FindDirectChildrenOnly))
        return *existing;
    return *new CAccountMenuSet(document);
}

void CAccountMenuSet::Rebuild()
{
    const AccountItemNode* tree = &m_document.AccountItems();
    m_leaf.Build(tree, CAccountItemMenu::LeafMenu);
    m_parent.Build(tree, CAccountItemMenu::ParentMenu);
    m_expenseLeaf.BuildSide(tree, 2, CAccountItemMenu::LeafMenu);
}
