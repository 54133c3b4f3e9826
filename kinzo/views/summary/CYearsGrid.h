#pragma once
// The years table ("年表示"): one period per fiscal year from the year of the
// ledger's first entry to that of its last, at most MaxYears, labelled with
// the year and "年" (start month 1) or "年度". On screen the period of the
// table comes from the data: CreateAndBuild takes no bounds (pass invalid
// dates; printing passes bounds, which choose the fiscal years), and
// FirstEntry/LastEntry give the days of the first and last entry afterwards
// (invalid without entries).

#include "kinzo/views/summary/CSummaryGrid.h"

class CYearsGrid : public CSummaryGrid {
    Q_OBJECT
public:
    static constexpr int MaxYears = 100;

    explicit CYearsGrid(int orientation, int printFlag = 0, QWidget* parent = nullptr);

    // The fiscal start month (1 to 12) of the next build.
    void SetStartMonth(int month) { m_startMonth = std::clamp(month, 1, 12); }
    int StartMonth() const { return m_startMonth; }
    QDate FirstEntry() const { return m_firstEntry; }
    QDate LastEntry() const { return m_lastEntry; }

protected:
    bool ReadPeriods(CKinzoDoc& document, QList<_SummaryAmount>& amounts) override;
    QString FailureText() const override;
    QString PeriodLabelHeader(int column) const override;

private:
    int m_startMonth = 1;
    QDate m_firstEntry;
    QDate m_lastEntry;
};
