#pragma once
// "年度開始月設定": the first month of the fiscal year, typed or chosen; the
// value is kept within 1 to 12.

#include "kolib/CKoVDialogBase.h"

class CKoVComboBox;

class CStartMonthDialog : public CKoVDialogBase {
    Q_OBJECT
public:
    CStartMonthDialog(QWidget* parent, int month);
    int Month() const { return m_month; }
    CKoVComboBox* MonthCombo() const { return m_combo; }
    // The month a text names: its leading number, limited to 1 to 12.
    static int MonthOf(const QString& text);

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    int m_month;
    CKoVComboBox* m_combo = nullptr;
};
