#pragma once
// "科目追加" in its two modes. Add ("新規登録"): the user picks the parent
// (side, level 1 or level 2) and types the new item's name, optional months
// of first and last use, and a note; OK builds the item (not stored yet).
// Change ("変更"): the parent is shown but fixed; OK writes the fields into
// the item given. OK checks, in order: a name, the allowed characters, the
// last month not before the first, a parent; the focus stays on the field
// at fault. User-interface thread only.

#include "kinzo/dialogs/accounts/CAccountChainDialog.h"

class CKoCheckBox;
class CKoEdit;
class CKoVDateTimeCtrl;

class CAcntAddDialog : public CAccountChainDialog {
    Q_OBJECT
public:
    enum Mode { AddMode = 0, ChangeMode = 1 };
    static constexpr int ResourceId = 132;

    // item: the proposed parent (add) or the item changed (change).
    CAcntAddDialog(QWidget* parent, int mode, AccountItemList& tree, AccountItemNode* item, int startMonth);

    // After OK: the new item (add; level, parent and side still to be set by
    // the caller) or the changed fields (change).
    const _AccountItem& Item() const { return m_item; }
    CKoEdit* NameField() const { return m_name; }
    CKoEdit* NoteField() const { return m_note; }
    CKoCheckBox* StartBox() const { return m_startBox; }
    CKoCheckBox* EndBox() const { return m_endBox; }
    CKoVDateTimeCtrl* StartPicker() const { return m_startPicker; }
    CKoVDateTimeCtrl* EndPicker() const { return m_endPicker; }

protected:
    void OnInitDialog() override;
    bool Accept(AccountItemNode* chosen) override;

private:
    void BuildFields();
    bool Refuse(const QString& text, QWidget* field);

    int m_mode;
    AccountItemNode* m_node;
    int m_startMonth;
    _AccountItem m_item;
    CKoEdit* m_name = nullptr;
    CKoEdit* m_note = nullptr;
    CKoCheckBox* m_startBox = nullptr;
    CKoCheckBox* m_endBox = nullptr;
    CKoVDateTimeCtrl* m_startPicker = nullptr;
    CKoVDateTimeCtrl* m_endPicker = nullptr;
};
