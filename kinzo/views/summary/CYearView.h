#pragma once
// The year view ("月表示", form 139): the twelve months of the fiscal year of
// the view's date (start month "StartMonth") in a CYearGrid. Enter on a month
// opens the month view, Escape the years view, Ctrl+←/→ step a fiscal year.

#include "kinzo/views/summary/CSummaryView.h"

class CYearView : public CSummaryView {
    Q_OBJECT
public:
    static constexpr int FormId = 139;

    explicit CYearView(CKinzoDoc& document, QWidget* parent = nullptr);

    QDate DateOfCursor() const override;
    QString CsvFileName() const override;

protected:
    bool BuildTable() override;
    QString AnnounceText() const override;
    QString PeriodText() const override;
    int PeriodPositionOfViewDate() const override;
    int FinerViewCommand() const override;
    int CoarserViewCommand() const override;
    void StepPeriod(int direction) override;
    void PeriodOfLine(int period, QDate& first, QDate& last) const override;

};
