#include "kinzo/dialogs/CAccountComboChain.h"

#include "kolib/CKoVComboBox.h"
#include "kolib/KoAppVoice.h"
#include "voice/CVoiceReader.h"

#include <QList>

using namespace Qt::StringLiterals;

namespace {

constexpr int LabelLimit = 100;

void SetupLabel(CKoVComboBox* combo, const QString& label)
{
    combo->Setup(label, 0, LabelLimit);
}

}  // namespace

QString CAccountComboChain::LevelLabel(int level)
{
    switch (level) {
    case 0: return u"収支(&0)"_s;
    case 1: return u"第１階層科目(&1)"_s;
    case 2: return u"第２階層科目(&2)"_s;
    case 3: return u"第３階層科目(&3)"_s;
    default: return QString();
    }
}

QString CAccountComboChain::NoneText()
{
    return u"なし"_s;
}

void CAccountComboChain::Init(AccountItemList* root, int flag)
{
    m_root = root;
    m_flag = flag;
    m_count = 0;
    m_combos.fill(nullptr);
}

CKoVComboBox* CAccountComboChain::Combo(int level) const
{
    return level >= 0 && level < m_count ? m_combos[size_t(level)] : nullptr;
}

void CAccountComboChain::AttachSide(CKoVComboBox* combo)
{
    if (!combo) return;
    m_combos[0] = combo;
    m_count = 1;
    SetupLabel(combo, LevelLabel(0));
    combo->clear();
    if (!m_root) return;
    for (const AccountItemNode* side = m_root->m_firstChild; side; side = side->m_next)
        combo->addItem(side->m_data.name, side->m_data.ID);
}

void CAccountComboChain::AttachLevel(CKoVComboBox* combo)
{
    if (!combo || m_count == 0 || m_count >= MaxCombos) return;
    m_combos[size_t(m_count)] = combo;
    SetupLabel(combo, LevelLabel(m_count));
    if (combo->isEditable()) {
        // A typed name stays as typed: no completion into a listed name and
        // no insertion into the list when Enter is pressed.
        combo->setCompleter(nullptr);
        combo->setInsertPolicy(QComboBox::NoInsert);
    }
    ++m_count;
}

void CAccountComboChain::Clear(int level)
{
    CKoVComboBox* combo = Combo(level);
    if (!combo) return;
    combo->clear();
    if (combo->isEditable()) combo->clearEditText();
    combo->setEnabled(false);
}

void CAccountComboChain::FillChildren(int level, const AccountItemNode* parent)
{
    CKoVComboBox* combo = Combo(level);
    if (!combo) return;
    combo->clear();
    combo->addItem(NoneText(), -1);
    if (parent)
        for (const AccountItemNode* child = parent->m_firstChild; child; child = child->m_next)
            combo->addItem(child->m_data.name, child->m_data.ID);
    combo->setEnabled(true);
    combo->setCurrentIndex(0);
}

void CAccountComboChain::OnSelChange(int level)
{
    if (level < 0 || level >= m_count) return;
    for (int below = level + 1; below < m_count; ++below) Clear(below);
    const int id = ItemData(level);
    if (id <= 0 || level + 1 >= m_count || !m_root) return;
    FillChildren(level + 1, m_root->Find(id));
}

void CAccountComboChain::OnTextEdited(int level)
{
    if (level < 1 || level >= m_count) return;
    if (SelectedIndex(level) >= 0) {
        OnSelChange(level);
        return;
    }
    if (level + 1 >= m_count) return;
    for (int below = level + 1; below < m_count; ++below) Clear(below);
    FillChildren(level + 1, nullptr);
}

void CAccountComboChain::SelectAccount(int id)
{
    // Refilling disables the combos below for a moment, and the focus of one
    // of them would jump ahead and be spoken over what the user is told next.
    // It stays where the user left it, unheard.
    CKoVComboBox* focused = nullptr;
    for (int level = 0; level < m_count; ++level)
        if (m_combos[size_t(level)]->hasFocus()) focused = m_combos[size_t(level)];
    if (!focused) return SelectPath(id);
    CVoiceReader* voice = KoAppVoice();
    const int previous = voice ? voice->SetRead(0) : 0;
    SelectPath(id);
    if (focused->isEnabled()) focused->setFocus(Qt::OtherFocusReason);
    if (voice) voice->SetRead(previous);
}

void CAccountComboChain::SelectPath(int id)
{
    if (m_count == 0) return;
    const AccountItemNode* node = id > 0 && m_root ? m_root->Find(id) : nullptr;
    if (!node) {
        if (m_combos[0]->count() > 0) m_combos[0]->setCurrentIndex(0);
        OnSelChange(0);
        return;
    }
    QList<const AccountItemNode*> path;
    for (const AccountItemNode* n = node; n && n->m_depth >= 0; n = n->m_parent) path.prepend(n);
    for (qsizetype level = 0; level < path.size() && level < m_count; ++level) {
        CKoVComboBox* combo = m_combos[size_t(level)];
        combo->setCurrentIndex(combo->findData(path[level]->m_data.ID));
        OnSelChange(int(level));
    }
}

int CAccountComboChain::SelectedIndex(int level) const
{
    const CKoVComboBox* combo = Combo(level);
    if (!combo) return -1;
    const int index = combo->currentIndex();
    if (index < 0) return -1;
    if (combo->isEditable() && combo->currentText() != combo->itemText(index)) return -1;
    return index;
}

int CAccountComboChain::DeepestLevel() const
{
    if (SelectedIndex(0) < 0) return -1;
    int deepest = 0;
    for (int level = 1; level < m_count; ++level) {
        const int index = SelectedIndex(level);
        if (index == 0) break;
        // A level left blank ends the path: nothing below it can have a parent.
        if (index < 0 && Text(level).trimmed().isEmpty()) break;
        deepest = level;
    }
    return deepest;
}

int CAccountComboChain::ItemData(int level) const
{
    const int index = SelectedIndex(level);
    return index < 0 ? -1 : Combo(level)->itemData(index).toInt();
}

QString CAccountComboChain::Text(int level) const
{
    const CKoVComboBox* combo = Combo(level);
    return combo ? combo->currentText() : QString();
}

int CAccountComboChain::SelectedAccountId() const
{
    const int level = DeepestLevel();
    return level < 0 ? -1 : ItemData(level);
}

QString CAccountComboChain::SelectedName() const
{
    const int level = DeepestLevel();
    const int index = level < 0 ? -1 : SelectedIndex(level);
    return index < 0 ? QString() : Combo(level)->itemText(index);
}

int CAccountComboChain::Side() const
{
    const int id = ItemData(0);
    const AccountItemNode* side = id > 0 && m_root ? m_root->Find(id) : nullptr;
    return side ? side->m_data.side : 0;
}

void CAccountComboChain::SelectSide(int side)
{
    CKoVComboBox* combo = Combo(0);
    if (!combo || combo->count() < 2 || !m_root) return;
    const int wanted = side == 1 ? 1 : 2;
    for (const AccountItemNode* root = m_root->m_firstChild; root; root = root->m_next)
        if (root->m_data.side == wanted) combo->setCurrentIndex(combo->findData(root->m_data.ID));
}

void CAccountComboChain::AddItem(int level, const QString& name, int id)
{
    CKoVComboBox* combo = Combo(level);
    if (!combo) return;
    combo->addItem(name, id);
    combo->setCurrentIndex(combo->count() - 1);
}

int CAccountComboChain::HasChildren(int level) const
{
    const int id = ItemData(level);
    const AccountItemNode* node = id > 0 && m_root ? m_root->Find(id) : nullptr;
    return node && node->HasChildren() ? 1 : 0;
}
