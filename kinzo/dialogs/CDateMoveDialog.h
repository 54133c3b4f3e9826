#pragma once
// "日付": one date picker "日付(&D)" showing a day, a month or a year (display
// modes 0, 1, 2 of CKoVDateTimeCtrl), typed part by part. OK gives the date
// chosen; in month and year mode the day of the opening date is kept, cut to
// the length of the chosen month. User-interface thread only.

#include "kolib/CKoVDialogBase.h"

#include <QDate>

class CKoVDateTimeCtrl;

class CDateMoveDialog : public CKoVDialogBase {
    Q_OBJECT
public:
    enum Mode { DayMode = 0, MonthMode = 1, YearMode = 2 };

    CDateMoveDialog(QWidget* parent, Mode mode, const QDate& date);

    QDate Date() const { return m_date; }
    CKoVDateTimeCtrl* Picker() const { return m_picker; }

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    Mode m_mode;
    QDate m_date;
    CKoVDateTimeCtrl* m_picker = nullptr;
};
