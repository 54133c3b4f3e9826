#pragma once
// "相手先登録" / "相手先変更": one name field. OK trims the name and refuses an
// empty one and one with a character names may not hold; in change mode an
// unchanged name ends the dialog with Cancel. User-interface thread only.

#include "kolib/CKoVDialogBase.h"

class CKoEdit;

class CCaterAddDialog : public CKoVDialogBase {
    Q_OBJECT
public:
    static constexpr int ResourceId = 136;
    // Add mode.
    explicit CCaterAddDialog(QWidget* owner);
    // Change mode, the field holding the current name.
    CCaterAddDialog(QWidget* owner, const QString& currentName);

    QString Name() const { return m_name; }
    CKoEdit* NameField() const { return m_field; }

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void BuildControls(const QString& title);

    bool m_change;
    QString m_name;
    CKoEdit* m_field = nullptr;
};
