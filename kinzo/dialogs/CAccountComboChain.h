#pragma once
// The cascade of account combo boxes of every dialog that picks an account
// item: combo 0 the side (収入 or 支出), combos 1 to 3 the levels below it.
// Each level lists "なし" (item data -1) and the children of the account
// chosen one level up (item data: the account ID); choosing an account fills
// the combo below it. The dialog forwards its combos' signals: the user's
// choice of an entry (QComboBox::activated) to OnSelChange, typing in an
// editable combo (the line edit's textEdited) to OnTextEdited.
//
// An editable combo has a selected entry only while its text is that entry's
// text; once the user types something else, the text is a typed name
// (SelectedIndex -1), which the dialog may create as a new account item.
// The tree and the combos must outlive the chain. User-interface thread only.

#include "kinzo/data/AccountItemList.h"

#include <QString>

#include <array>

class CKoVComboBox;

class CAccountComboChain {
public:
    static constexpr int MaxCombos = 4;

    // The caption and spoken label of a level's combo (0 = side).
    static QString LevelLabel(int level);
    static QString NoneText();

    // Keeps the tree; no combo is attached.
    void Init(AccountItemList* root, int flag);
    // Attaches combo 0 and fills it with the sides in tree order.
    void AttachSide(CKoVComboBox* combo);
    // Attaches the next level's combo; ignored once four are attached.
    void AttachLevel(CKoVComboBox* combo);

    // The user chose an entry at a level: every combo below is emptied and
    // disabled, and when the chosen account is one (ID above 0) the combo one
    // down lists "なし" and its children, is enabled and selects "なし".
    void OnSelChange(int level);
    // The user typed in a level's combo. A text that names the selected entry
    // again acts as that choice; any other text is a new name, under which
    // nothing exists yet: the combo one down keeps only "なし" (selected,
    // enabled, ready for a new child's name) and the deeper ones are emptied.
    void OnTextEdited(int level);
    // Selects the account and its ancestors, from the side down, filling each
    // level on the way; id <= 0 (or an unknown id) selects the first side.
    // A combo of the chain that has the focus keeps it, without a word.
    void SelectAccount(int id);

    // -1 when no side is selected; else the deepest level (0 side only, up to
    // 3) holding a chosen account or a typed name, reading down until a level
    // shows "なし" or nothing.
    int DeepestLevel() const;
    // The selected entry's index, or -1 when there is none or the text is typed.
    int SelectedIndex(int level) const;
    // Item data of the selected entry; -1 when none.
    int ItemData(int level) const;
    // The combo's text: a typed name or the selected entry's name.
    QString Text(int level) const;
    int SelectedAccountId() const;
    QString SelectedName() const;
    // The side of the selected 収支 item: 1 収入, 2 支出, 0 when none.
    int Side() const;
    // Selects the 収支 item of that side (1 収入, anything else 支出).
    void SelectSide(int side);
    // Appends the name (item data id) to a level's combo and selects it.
    void AddItem(int level, const QString& name, int id);
    // 1 when the account selected at that level has children in the tree.
    int HasChildren(int level) const;

    int Count() const { return m_count; }
    CKoVComboBox* Combo(int level) const;
    AccountItemList* Root() const { return m_root; }

private:
    void SelectPath(int id);

    void Clear(int level);
    void FillChildren(int level, const AccountItemNode* parent);

    AccountItemList* m_root = nullptr;
    int m_flag = 0;
    int m_count = 0;
    std::array<CKoVComboBox*, MaxCombos> m_combos{};
};
