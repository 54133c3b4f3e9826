#pragma once
// "一般設定": the first font size, the first expand level, the fiscal start
// month and the days before a due payment that the reminder starts. OK
// stores all four in the settings file and the settings in memory.

#include "kolib/CKoVDialogBase.h"

class CKoIntegerEdit;
class CKoVComboBox;
class CSettingInfo;
class CKinzoIniFile;

class CGeneralSettingsDialog : public CKoVDialogBase {
    Q_OBJECT
public:
    CGeneralSettingsDialog(QWidget* parent, CSettingInfo& settings, CKinzoIniFile& iniFile);
    CKoVComboBox* Combo(int id) const;
    CKoIntegerEdit* DaysEdit() const { return m_days; }
    int FontSize() const { return m_fontSize; }
    bool StartMonthChanged() const { return m_startMonthChanged; }

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    CKoVComboBox* AddCombo(class QGridLayout* grid, const char* id, const QString& label);
    CSettingInfo& m_settings;
    CKinzoIniFile& m_iniFile;
    CKoIntegerEdit* m_days = nullptr;
    int m_fontSize = 9;
    bool m_startMonthChanged = false;
};
