#pragma once
// What the month, year and years views share: one summary table on screen
// (horizontal), a caption, a period label and for the month and year views
// the "前へ(Ctrl+←)" and "次へ(Ctrl+→)" buttons.
//
// Each load builds the table for the view's period with the settings'
// colours, reading mode, move mode and hide-zero flag, then says the view's
// caption and period and, a moment later, the cursor cell, which stands on
// the period of the current date and the line of the remembered account
// (CKinzoApp::m_rememberedAccount). The expand level is one value for the
// three views: the setting "AccountExpandLevel" on the first show in a run,
// then what the user chooses ("収支まで" .. "第３階層まで"); every build applies
// it. Updates of the document rebuild the table without a word, the cursor
// kept on its account and period.
//
// Keys: Enter on a period line drills down (current date := the cursor's
// date, account remembered, the finer view's command), Escape drills up
// where there is a coarser view, Ctrl+Enter lists the entries behind the
// figure, Ctrl+←/→ step the period. A double-click on a period line drills
// down without remembering the account; elsewhere on the table it opens a
// new entry. User-interface thread only.

#include "CKinzoViewBase.h"
#include "kinzo/views/summary/CSummaryGrid.h"

#include <QDate>

#include <memory>

class CCellAnnouncer;
class CKoButton;
class QLabel;

class CSummaryView : public CKinzoViewBase {
    Q_OBJECT
public:
    ~CSummaryView() override;

    void OnInitialUpdate() override;
    void OnUpdate(QObject* sender, int hint, const QVariant& object) override;
    void ReloadView() override;
    bool OnCommand(int commandId) override;
    std::optional<bool> IsCommandEnabled(int commandId) const override;
    std::optional<bool> IsCommandChecked(int commandId) const override;

    CSummaryGrid& Grid() const { return *m_grid; }
    QLabel* PeriodLabel() const { return m_periodLabel; }
    // The day the view stands on (inside its period).
    QDate ViewDate() const { return m_date; }
    // The date of the cursor: its period's when it is on a period line, else the view's.
    virtual QDate DateOfCursor() const = 0;
    // The file name the table's CSV save proposes.
    virtual QString CsvFileName() const = 0;

    // The expand level shared by the three views, -1 before the first show
    // (setting it to -1 starts a new run, as tests do).
    static int SharedExpandLevel();
    static void SetSharedExpandLevel(int level);

protected:
    // grid: the table this view shows (owned by the view from here on);
    // stepButtons: whether the view has "前へ" and "次へ".
    CSummaryView(int formId, const QString& caption, CSummaryGrid* grid, bool stepButtons, CKinzoDoc& document,
                 QWidget* parent);

    // What a failed first load says.
    virtual QString FirstLoadFailureText() const;
    // Takes the view's date from the application (a load from outside).
    virtual void TakeCurrentDate();
    // Builds the table for the view's date; false after its message.
    virtual bool BuildTable() = 0;
    virtual QString AnnounceText() const = 0;
    // The text of the period label (empty: no label).
    virtual QString PeriodText() const { return QString(); }
    // The period line of the view's date.
    virtual int PeriodPositionOfViewDate() const = 0;
    // The view commands one level finer and coarser (0: none).
    virtual int FinerViewCommand() const = 0;
    virtual int CoarserViewCommand() const { return 0; }
    // Steps the period back (-1) or on (+1); the month and year views can.
    virtual void StepPeriod(int) {}
    bool CanStep() const { return m_prevButton != nullptr; }
    // The period of the cursor's line, or of the whole table off the period lines.
    void CursorPeriod(QDate& first, QDate& last) const;
    virtual void PeriodOfLine(int period, QDate& first, QDate& last) const = 0;

    // Loads and announces; on failure says failureText (may be empty).
    bool LoadAndAnnounce(const QString& failureText);

    void keyPressEvent(QKeyEvent* event) override;

    QDate m_date;

private:
    bool Load();
    void Rebuild();
    void ApplyGridSettings();
    void Announce();
    void PlaceCursor(int account, int position, bool speak);
    bool OnPeriodLine() const;
    void DrillDown(bool rememberAccount);
    void DrillUp();
    void RememberAccount();
    void NewEntry();
    void OpenEntryList();
    void SaveCsv();
    void SetExpandLevel(int level);
    void ToggleHideZero();
    void OnDoubleClick(int row, int col);

    QString m_caption;
    CSummaryGrid* m_grid = nullptr;
    QLabel* m_periodLabel = nullptr;
    CKoButton* m_prevButton = nullptr;
    CKoButton* m_nextButton = nullptr;
    std::unique_ptr<CCellAnnouncer> m_announcer;
};
