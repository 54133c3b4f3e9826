#include "CKoSettingInfoBase.h"

#include "CKoInifileBase.h"

CKoSettingInfoBase::CKoSettingInfoBase(CKoInifileBase& iniFile) : m_iniFile(iniFile)
{
    while (m_fontSizeCount < MaxFontSizes && m_fontSizes[m_fontSizeCount] > 0) {
        m_zoomFactors[m_fontSizeCount] = m_fontSizes[m_fontSizeCount] / double(BaseFontSize);
        ++m_fontSizeCount;
    }
    CKoSettingInfoBase::Reset();
}

void CKoSettingInfoBase::Reset()
{
    SetFontSize(BaseFontSize);
}

void CKoSettingInfoBase::Load()
{
    SetFontSize(m_iniFile.ReadFontSize());
}

void CKoSettingInfoBase::Save()
{
    m_iniFile.WriteFontSize(m_fontSize);
}

void CKoSettingInfoBase::SetFontSize(int size)
{
    m_fontSize = size;
    m_zoom = size / double(BaseFontSize);
}

int CKoSettingInfoBase::FontSizeIndex(int size) const
{
    for (int i = 0; i < m_fontSizeCount; ++i)
        if (m_fontSizes[i] == size) return i;
    return -1;
}
