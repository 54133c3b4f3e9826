#pragma once
// The one-day list ("リスト表示", form 101): the entries of the application's
// current date in a CListGrid between the carry-over and total lines, with
// the running balance. From here the user registers, changes and deletes
// entries, steps a day back or forth or to the nearest day with entries,
// copies cells and lines, and saves the table as CSV.
//
// After each load the view says "リスト表示" and the date, then, a moment
// later (CCellAnnouncer), the cell under the cursor, which stands on the last
// entry line (the carry-over line on a day without entries). The main window routes its commands here (OnCommand),
// asks which can run (IsCommandEnabled) and passes on the document's update
// hints (OnUpdate). Escape asks the main window for the month view.
// User-interface thread only.

#include "CKinzoViewBase.h"
#include "kinzo/views/CCellAnnouncer.h"
#include "kinzo/views/CListGrid.h"

#include <QDate>

#include <memory>

class CKoButton;
class QLabel;
struct _ViewEntry;

class CDayView : public CKinzoViewBase {
    Q_OBJECT
public:
    static constexpr int FormId = 101;

    explicit CDayView(CKinzoDoc& document, QWidget* parent = nullptr);
    ~CDayView() override;

    void OnInitialUpdate() override;
    void OnUpdate(QObject* sender, int hint, const QVariant& object) override;
    void ReloadView() override;
    bool OnCommand(int commandId) override;
    std::optional<bool> IsCommandEnabled(int commandId) const override;

    CListGrid& Grid() { return *m_grid; }
    QDate Date() const { return m_date; }
    // "%4d年%2d月%2d日" of the date shown.
    QString DateText() const;
    QLabel* DateLabel() const { return m_dateLabel; }
    // The file name the CSV save proposes.
    QString CsvFileName() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class LoadCause { Update, DayStep };

    // Loads the current date; on failure says so (the cause picks the words).
    bool LoadWithMessage(LoadCause cause);
    bool Load();
    void SetupGrid(int entryCount);
    void ApplyGridSettings();
    void Announce();
    void RecomputeTotals();
    void StepDay(int days);
    void StepToDateWithData(bool later);
    void NewEntry();
    void ChangeEntry();
    void DeleteEntry();
    void SaveCsv();
    void ToggleMoveMode();
    void SetReadLevel(int level);
    void OnEntryAdded(const QVariant& object);
    void OnEntryChanged(const QVariant& object);
    void OnEntryDeleted(const QVariant& object);
    bool ReadViewEntry(int id, _ViewEntry& entry);
    void OnDoubleClick(int row, int col);

    CListGrid* m_grid = nullptr;
    QLabel* m_dateLabel = nullptr;
    CKoButton* m_prevButton = nullptr;
    CKoButton* m_nextButton = nullptr;
    QDate m_date;
    std::unique_ptr<CCellAnnouncer> m_announcer;
};
