#pragma once
// CXGrid, the keyboard-driven, speaking table on which the ledger views and
// several dialogs stand. The model, moves and speech are CXGridNav's; this
// widget paints them (an off-screen picture, merged cells drawn once, fixed
// cells in their colours, the cursor marked in reverse video, group marks
// on header groups), turns keys and mouse into calls, hosts the in-place
// editors, prints on a QPrinter and shows itself to screen readers as a
// table (CXGridAccessible.h).
//
// A view fills it like this: SetRowCount/SetColumnCount, SetFixedRowCount/
// SetFixedColumnCount, SetFont with the screen font size (zoom = size / 9),
// the five colour setters, SetCellText, SetRowSpan/SetColumnSpan for header
// merges, SetTreeMode with SetColumnTreeDepth (mode 1) or SetRowTreeDepth
// (mode 2), then RecalcLayout, Redraw and SetCurrentCell, and EnableSpeech(1)
// when speech is on.
// User-interface thread only.

#include "grid/CXGridNav.h"
#include "grid/CXGridPrint.h"

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QFont>
#include <QPixmap>

#include <functional>
#include <vector>

class QPrinter;

class CXGrid : public QAbstractScrollArea, public CXGridNav {
    Q_OBJECT
public:
    // Which ending message an editor sends: one per editable kind.
    enum EndEditMessage { EditEnded = 1, ComboEnded = 2, DateEnded = 3 };

    explicit CXGrid(QWidget* parent = nullptr);
    ~CXGrid() override;

    // Places the grid as a child of parent with the given geometry; the
    // control id becomes the object name. Returns false without a parent.
    virtual bool Create(QWidget* parent, const QRect& rect, int id);

    // --- Messages. Every message box of the grid and of the grids derived
    // from it goes through one function that the application installs (its
    // toolkit's message box, which also speaks); none installed: a plain
    // modal QMessageBox. An empty function restores the default.
    using MessageFunction = std::function<void(QWidget* owner, const QString& text)>;
    static void SetMessageFunction(MessageFunction function);
    virtual void ShowMessage(const QString& text);

    // --- Screen.
    void Redraw() override;
    void InvalidateCell(CXCellID pos) override;
    void RecalcLayout(int flag = 1) override;
    // The font made from the face and point size (with Japanese fallbacks).
    QFont GridFont() const { return m_font; }
    // The rectangle of a group mark inside a header area, empty without one.
    QRect GroupMarkRect(CXCellID pos) const;

    // --- In-place editing. Each checks the cell's kind, starts its editor
    // over the cell (with initial as the first input when given) and
    // remembers the cell; 0 when the kind differs or the editor cannot start.
    int BeginEditEdit(CXCellID pos, int charCode, const QString& initial = QString());
    int BeginEditCombo(CXCellID pos, int charCode, const QString& initial = QString());
    int BeginEditDate(CXCellID pos, int charCode, const QString& initial = QString());
    // Ends the edit in progress as if its editor had lost the focus (queued).
    void RequestEndEdit();
    CXCellID GetEditCell() const { return m_editCell; }
    // An editor's ending message: stores the edited text (every key keeps it),
    // closes the editor, gives the focus back when a key ended the edit, then
    // Tab moves right, Up up and Down down. Ignored when that edit is over.
    virtual void OnEndEdit(int message, int key, CXCellID pos);

    // --- Printing.
    void PrintSetup(QPrinter* printer);
    void SetPrintTitle(const CXPrintTitle& title, const CXPrintFont& pageNumberFont);
    void SetPageMargins(const CXPageMargins& margins) { m_pageMargins = margins; }
    // Splits the table into pages across and down; 1, or 0 (lists cleared)
    // when a line or the fixed lines do not fit on a page.
    int ComputePages(QPrinter* printer);
    // Prints the pages, row pages outer, column pages inner: every page, or
    // those of the printer's page range (numbered in that order from 1); 1 on
    // success, 0 when the document or a page cannot be started (then aborted).
    int Print(QPrinter* printer);
    virtual void PrintTitle(QPainter& painter);
    virtual void PrintPageNumber(QPainter& painter, int colPage, int rowPage);
    virtual void PrintCells(QPainter& painter, int colPage, int rowPage);
    const std::vector<CXPrintPage>& GetColumnPages() const { return m_colPages; }
    const std::vector<CXPrintPage>& GetRowPages() const { return m_rowPages; }
    const CXPrintMeasures& GetPrintMeasures() const { return m_measures; }
    const CXPrintTitle& GetPrintTitle() const { return m_printTitle; }
    // "ページ／%d - %d" of a page: row page first, both from 1.
    static QString PrintPageNumberText(int colPage, int rowPage);

    // --- Hooks for the views.
    // The user dragged a line border to a new size.
    virtual void OnColumnResized(int col) {}
    virtual void OnRowResized(int row) {}
    // A double click: on a header cell (fixed row or fixed column, not both)
    // it toggles that cell's group; also emits cellDoubleClicked.
    virtual void OnCellDoubleClick(CXCellID pos);
    // A view said the cursor cell itself after a window it opened closed: the
    // grid does not say it again when the focus comes back.
    void CellWasSpoken();

Q_SIGNALS:
    void cellDoubleClicked(int row, int col);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

    void OnScrollChanged() override;
    void OnFontChanged() override;
    void OnStructureChanged() override;
    void OnCursorMoved(CXCellID previous, CXCellID current) override;
    void PutOnClipboard(const QString& text) override;

    // Whether getting the focus for this reason speaks the cursor cell: not
    // when a menu or a dialog gives it back.
    virtual bool ShouldSpeakFocus(Qt::FocusReason reason) const;
    // Paints the whole table into the painter (the off-screen picture).
    virtual void PaintGrid(QPainter& painter, const QSize& size);

private:
    int BeginEditKind(int kind, CXCellID pos, int charCode, const QString& initial);
    void PaintArea(QPainter& painter, CXCellID anchor, const QRect& area, bool fixed, bool corner);
    void PaintCursor(QPainter& painter);
    // The width of the frame drawn around the cursor cell, outside it.
    int CursorFrameWidth() const;
    // Whether moves are handed to the screen reader as focus changes: only
    // where our voice does not speak them.
    bool ReaderFollowsTheCursor();
    void SyncScrollBars();
    bool BorderAt(const QPoint& point, bool& column, int& line) const;
    int PrintHeaderHeight() const;
    int PrintFooterHeight() const;
    bool SplitPages(bool columns, int usable);
    int PrintLineSize(bool column, int line) const;
    void PrintArea(QPainter& painter, CXCellID anchor, const QRect& area);

    QFont m_font;
    QPixmap m_picture;
    bool m_dirty = true;
    // The focus last went to another window (a dialog, a message box).
    bool m_lostToWindow = false;
    static constexpr int RereadDelayMs = 150;
    // A view's own words about the cell count as said on return when they
    // came this shortly before; a window manager may take a while to hand
    // the focus back after a window closes.
    static constexpr int SaidJustNowMs = 1000;
    QElapsedTimer m_cellSpoken;
    bool m_syncing = false;
    CXCellID m_editCell;

    // Border dragging.
    bool m_dragging = false;
    bool m_dragColumn = false;
    int m_dragLine = -1;

    CXPrintTitle m_printTitle;
    CXPrintFont m_pageNumberFont;
    CXPageMargins m_pageMargins;
    CXPrintMeasures m_measures;
    std::vector<CXPrintPage> m_colPages;
    std::vector<CXPrintPage> m_rowPages;
};
