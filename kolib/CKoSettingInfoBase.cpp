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
    m_zoom = ZoomOf(size);
}

int CKoSettingInfoBase::FontSizeIndex(int size) const
{
    for (int i = 0; i < m_fontSizeCount; ++i)
        if (m_fontSizes[i] == size) return i;
    return -1;
}

int CKoSettingInfoBase::LargerFontSize(int size) const
{
    if (m_fontSizeCount == 0) return size;
    for (int i = 0; i < m_fontSizeCount; ++i)
        if (m_fontSizes[i] > size) return m_fontSizes[i];
    return m_fontSizes[m_fontSizeCount - 1];
}

int CKoSettingInfoBase::SmallerFontSize(int size) const
{
    if (m_fontSizeCount == 0) return size;
    for (int i = m_fontSizeCount - 1; i >= 0; --i)
        if (m_fontSizes[i] < size) return m_fontSizes[i];
    return m_fontSizes[0];
}
