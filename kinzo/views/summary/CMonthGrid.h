#pragma once
// The month table ("日表示"): one period per day of the month, labelled
// "%2d月%2d日" with the weekday as its second label; Saturdays and Sundays in
// red. The period given to CreateAndBuild is the month's first to last day.

#include "kinzo/views/summary/CSummaryGrid.h"

class CMonthGrid : public CSummaryGrid {
    Q_OBJECT
public:
    explicit CMonthGrid(int orientation, int printFlag = 0, QWidget* parent = nullptr);

protected:
    bool ReadPeriods(CKinzoDoc& document, QList<_SummaryAmount>& amounts) override;
    QString FailureText() const override;
    QString PeriodLabelHeader(int column) const override;
    int VerticalHeaderRows() const override { return 2; }
};
