#pragma once
// The month view ("日表示", form 138): the days of the current date's month in
// a CMonthGrid. Enter on a day opens that day's list, Escape the year view,
// Ctrl+←/→ step a month with the day cut to the month's length.

#include "kinzo/views/summary/CSummaryView.h"

class CMonthView : public CSummaryView {
    Q_OBJECT
public:
    static constexpr int FormId = 138;

    explicit CMonthView(CKinzoDoc& document, QWidget* parent = nullptr);

    QDate DateOfCursor() const override;
    QString CsvFileName() const override;

protected:
    QString FirstLoadFailureText() const override;
    bool BuildTable() override;
    QString AnnounceText() const override;
    QString PeriodText() const override;
    int PeriodPositionOfViewDate() const override;
    int FinerViewCommand() const override;
    int CoarserViewCommand() const override;
    void StepPeriod(int direction) override;
    void PeriodOfLine(int period, QDate& first, QDate& last) const override;
};
