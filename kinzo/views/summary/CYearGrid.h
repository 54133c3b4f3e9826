#pragma once
// The year table ("月表示"): the twelve months of one fiscal year, labelled
// "%04d年%2d月" from the month of the period's first day. The period given to
// CreateAndBuild is the fiscal year's first to last day.

#include "kinzo/views/summary/CSummaryGrid.h"

class CYearGrid : public CSummaryGrid {
    Q_OBJECT
public:
    explicit CYearGrid(int orientation, int printFlag = 0, QWidget* parent = nullptr);

protected:
    bool ReadPeriods(CKinzoDoc& document, QList<_SummaryAmount>& amounts) override;
    QString FailureText() const override;
    QString PeriodLabelHeader(int column) const override;
};
