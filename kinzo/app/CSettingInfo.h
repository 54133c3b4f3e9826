#pragma once
// The cash book's settings held in memory while it runs. Load reads them from
// the settings file, keeping every value in its range; Save writes back what
// the program changes itself. Used from the user-interface thread only.

#include "kolib/CKoSettingInfoBase.h"

#include <QStringList>

class CKinzoIniFile;

class CSettingInfo : public CKoSettingInfoBase {
public:
    // The settings file must outlive this object.
    explicit CSettingInfo(CKinzoIniFile& iniFile);

    void Reset() override;
    void Load() override;
    void Save() override;

    // Puts a note typed in the entry dialog at the head of the history; an
    // older copy of it is dropped and the history is kept to MaxHistorys.
    // Empty notes are not kept.
    void AddNote(const QString& text);

    int m_startMonth = 1;              // first month of the fiscal year, 1 to 12
    int m_firstYear = 2000;            // earliest year of the years view (not stored)
    int m_saveAnounceStartDays = 15;   // reminder lead time, 0 to 99 days
    int m_accountExpandLevel = 1;      // 0 income/expense only, 1 to 3 tree levels
    int m_readLevel = 1;               // 1 read with column names, 0 data only
    int m_gridMoveMode = 0;            // 0 across a row first, 1 down a column first
    int m_hideZeroAccount = 0;         // 1 hides account items without amounts
    QStringList m_notes;               // newest first
    int m_maxHistorys = 30;

private:
    CKinzoIniFile& iniFile() const;
};
