#pragma once
// "消費税率設定": one field for the consumption-tax rate in percent. OK takes
// only a whole number from 0 to 100; anything else is explained and the
// dialog stays open.

#include "kolib/CKoVDialogBase.h"

class CKoEdit;

class CSanboTaxRateDlg : public CKoVDialogBase {
    Q_OBJECT
public:
    explicit CSanboTaxRateDlg(int rate, QWidget* parent = nullptr);

    // The rate the user confirmed (the one given while the dialog was not confirmed).
    int Rate() const { return m_rate; }

protected:
    void OnOK() override;

private:
    CKoEdit* m_edit;
    int m_rate;
};
