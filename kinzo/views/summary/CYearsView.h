#pragma once
// The years view ("年表示", form 144): every fiscal year from the first entry's
// to the last entry's in a CYearsGrid. Enter on a year opens the year view;
// it is the coarsest view, so Escape only stops speech.

#include "kinzo/views/summary/CSummaryView.h"

class CYearsGrid;

class CYearsView : public CSummaryView {
    Q_OBJECT
public:
    static constexpr int FormId = 144;

    explicit CYearsView(CKinzoDoc& document, QWidget* parent = nullptr);

    QDate DateOfCursor() const override;
    QString CsvFileName() const override;
    // The days of the first and last entry, invalid without entries.
    QDate FirstDate() const;
    QDate LastDate() const;

protected:
    bool BuildTable() override;
    QString AnnounceText() const override;
    int PeriodPositionOfViewDate() const override;
    int FinerViewCommand() const override;
    void PeriodOfLine(int period, QDate& first, QDate& last) const override;

private:
    CYearsGrid& YearsGrid() const;
};
