#include "CSettingInfo.h"

#include "CKinzoIniFile.h"

#include <algorithm>

CSettingInfo::CSettingInfo(CKinzoIniFile& iniFile) : CKoSettingInfoBase(iniFile)
{
    CSettingInfo::Reset();
}

void CSettingInfo::Reset()
{
    CKoSettingInfoBase::Reset();
    m_firstYear = 2000;
    m_startMonth = 1;
    m_saveAnounceStartDays = 15;
    m_accountExpandLevel = 1;
    m_readLevel = 1;
    m_gridMoveMode = 0;
    m_hideZeroAccount = 0;
    m_notes.clear();
    m_maxHistorys = 30;
}

void CSettingInfo::Load()
{
    CKoSettingInfoBase::Load();
    const CKinzoIniFile& ini = iniFile();
    m_startMonth = ini.ReadStartMonth();
    // Values outside what the dialogs can enter are kept within it.
    m_saveAnounceStartDays = std::clamp(ini.ReadSaveAnounceStartDays(), 0, 99);
    m_accountExpandLevel = std::clamp(ini.ReadAccountExpandLevel(), 0, 3);
    m_readLevel = ini.ReadReadLevel() != 0 ? 1 : 0;
    m_gridMoveMode = ini.ReadGridMoveMode() != 0 ? 1 : 0;
    m_hideZeroAccount = ini.ReadHideZeroAccount() != 0 ? 1 : 0;
    ini.ReadNotes(m_notes);
    m_maxHistorys = ini.ReadMaxHistorys();
}

void CSettingInfo::Save()
{
    CKoSettingInfoBase::Save();
    CKinzoIniFile& ini = iniFile();
    ini.WriteStartMonth(m_startMonth);
    ini.WriteSaveAnounceStartDays(m_saveAnounceStartDays);
    ini.WriteAccountExpandLevel(m_accountExpandLevel);
    ini.WriteReadLevel(m_readLevel);
    ini.WriteGridMoveMode(m_gridMoveMode);
    ini.WriteHideZeroAccount(m_hideZeroAccount);
    ini.WriteNotes(m_notes);
}

void CSettingInfo::AddNote(const QString& text)
{
    // An empty entry would end the stored list early and hide the notes after it.
    if (text.isEmpty()) return;
    m_notes.prepend(text);
    for (qsizetype i = m_notes.size() - 1; i >= 1; --i) {
        if (m_notes[i] == text) {
            m_notes.removeAt(i);
            break;
        }
    }
    if (m_notes.size() > m_maxHistorys) m_notes.removeLast();
}

CKinzoIniFile& CSettingInfo::iniFile() const
{
    return static_cast<CKinzoIniFile&>(m_iniFile);
}
