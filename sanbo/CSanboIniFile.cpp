#include "CSanboIniFile.h"

#include "CSanboEngine.h"

using namespace Qt::StringLiterals;

int CSanboIniFile::ReadTaxRate() const
{
    return ReadInt(u"Setup"_s, u"TaxRate"_s, CSanboEngine::DefaultTaxRate);
}

bool CSanboIniFile::WriteTaxRate(int percent)
{
    return WriteInt(u"Setup"_s, u"TaxRate"_s, percent);
}
