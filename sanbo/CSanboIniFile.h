#pragma once
// The calculator's settings file "Sanbo.ini": the shared settings of the
// toolkit and the consumption-tax rate of the "税込" key.

#include "kolib/CKoInifileBase.h"

class CSanboIniFile : public CKoInifileBase {
public:
    // Percent; the shipped default when the key is missing.
    int ReadTaxRate() const;
    bool WriteTaxRate(int percent);
};
