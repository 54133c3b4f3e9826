#pragma once
// The grid's model: rows and columns with their cells, fixed (header) rows
// and columns, merged cells, tree grouping of header lines, visibility, the
// views' line data, font and zoom, colours, the cursor, the screen layout of
// the lines, and the CSV output. Plain code over Qt Core: it draws nothing,
// and tests drive it without a window.
//
// Indices are 0-based over all rows and columns, fixed ones included. Every
// operation accepts any index: out of range, setters do nothing and getters
// answer 0, empty or null. Operations are virtual so that the grids of the
// views can replace a step; CXGrid (the widget) fills in the screen hooks
// (Redraw, InvalidateCell, scroll changes).
// User-interface thread only.

#include "grid/CXGridLayout.h"
#include "grid/CXLine.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <memory>
#include <vector>

class CXGridModel {
public:
    CXGridModel();
    virtual ~CXGridModel();
    CXGridModel(const CXGridModel&) = delete;
    CXGridModel& operator=(const CXGridModel&) = delete;

    // --- Counts. New rows get one default cell per column, new columns one
    // default cell in every row, in the grid's current colours. Shrinking
    // cuts merges that ran past the new end. Return 1; recalc 1 also runs
    // RecalcLayout.
    virtual int SetRowCount(int count, int recalc = 1);
    virtual int SetColumnCount(int count, int recalc = 1);
    // Stores the fixed count (grows the lines when there are fewer), then
    // RecalcLayout. Returns 1.
    virtual int SetFixedRowCount(int count);
    virtual int SetFixedColumnCount(int count);
    // Inserts a row of default cells before index (-1 or past the end:
    // appends), with text in its first cell; a row inserted inside a downward
    // merge joins it. Returns the new row's index.
    virtual int InsertRow(int index = -1, const QString& text = QString());
    // Removes a row; merges that covered it become one shorter. 0 when out of range.
    virtual int DeleteRow(int index);
    int GetRowCount() const { return int(m_rows.size()); }
    int GetColumnCount() const { return int(m_cols.size()); }
    int GetFixedRowCount() const { return m_fixedRows; }
    int GetFixedColumnCount() const { return m_fixedCols; }

    // --- Cells.
    // Sets the text of a cell and of every cell merged with it. format -1
    // takes the column's default format; any other format is stored with
    // vertical centring added.
    virtual void SetCellText(int row, int col, const QString& text, int format = -1);
    virtual QString GetCellText(int row, int col) const;
    // The column's default format; single line is added.
    virtual void SetColumnFormat(int col, int format);
    int GetColumnFormat(int col) const;
    int IsValidCell(int row, int col) const;
    // The cell object, or null out of range. The grid keeps ownership.
    CXCellBase* GetCell(int row, int col) const;
    CXCellBase* GetCell(CXCellID pos) const { return GetCell(pos.row, pos.col); }
    // Replaces a cell by one of another kind (an edit, combo or date cell),
    // which takes over text, format, colours and merge records. 0 when out
    // of range or cell is null.
    virtual int SetCell(int row, int col, std::unique_ptr<CXCellBase> cell);

    // --- Sizes in unzoomed units (screen pixels at zoom 1).
    virtual void SetRowHeight(int row, int height);
    virtual void SetColumnWidth(int col, int width);
    int GetRowHeight(int row) const;
    int GetColumnWidth(int col) const;

    // --- Merges. SetRowSpan merges length cells downward from (row, col)
    // (cut at the last row), copying the first cell's text and format into
    // each; when the first cell is already merged across, the block becomes
    // rectangular. Returns the last column covered (col when nothing merged).
    // SetColumnSpan is the same to the right and returns the last row covered.
    virtual int SetRowSpan(int row, int col, int length, int node);
    virtual int SetColumnSpan(int row, int col, int length, int node);
    // Undo a merge that starts at that cell.
    virtual void ClearRowSpan(int row, int col);
    virtual void ClearColumnSpan(int row, int col);
    // The first cell of the merged area that holds pos (pos itself when not merged).
    CXCellID MergeStart(CXCellID pos) const;
    // The last row and column of the merged area that holds pos.
    CXCellID MergeEnd(CXCellID pos) const;

    // --- Line data, visibility and tree flags.
    void SetRowData(int row, void* data);
    void* GetRowData(int row) const;
    void SetColumnData(int col, void* data);
    void* GetColumnData(int col) const;
    virtual void SetRowVisible(int row, int visible);
    virtual void SetColumnVisible(int col, int visible);
    int IsRowVisible(int row) const;
    int IsColumnVisible(int col) const;
    // The expanded flag of a line on one tree level (0..9): of a column in
    // tree mode 1, of a row otherwise.
    virtual void SetLevelExpanded(int line, int level, int expanded);
    int IsLevelExpanded(int line, int level) const;

    // --- Tree grouping: 0 none, 1 header rows group the columns, 2 header
    // columns group the rows. Depth: how many header lines form the tree.
    virtual void SetTreeMode(int mode);
    virtual void SetRowTreeDepth(int depth);
    virtual void SetColumnTreeDepth(int depth);
    int GetTreeMode() const { return m_treeMode; }
    int GetRowTreeDepth() const { return m_rowTreeDepth; }
    int GetColumnTreeDepth() const { return m_colTreeDepth; }
    // Whether the header cell at pos heads a group (merged along the grouped
    // axis, nonzero node) and whether that group is open.
    bool IsGroupCell(CXCellID pos) const;
    bool IsGroupExpanded(CXCellID pos) const;
    // Opens or closes the group headed at pos: closing hides every member but
    // the last (the cursor moves there when its line is hidden), opening
    // shows the members that no deeper closed group keeps hidden. Then the
    // layout, the cursor's place on screen and the picture are renewed.
    // Returns true when the group changed state.
    virtual bool SetGroupExpanded(CXCellID pos, bool expand);

    // --- Font and zoom. Zoom is point size / 9; every on-screen size follows it.
    virtual void SetFont(const QString& face, int pointSize);
    virtual void SetFontName(const QString& face);
    QString GetFontName() const { return m_fontFace; }
    int GetFontSize() const { return m_fontSize; }
    double GetZoom() const { return m_zoom; }

    // --- Colours (0xAARRGGBB).
    // Also writes the colour into the text colour of every cell.
    virtual void SetCellTextColor(XColor color);
    virtual void SetCellBackColor(XColor color);
    // Also writes the colour into the background of the corner cells (in a
    // fixed row and a fixed column).
    virtual void SetFixedBackColor(XColor color);
    // Also writes the colour into the text colour of the fixed cells.
    virtual void SetFixedTextColor(XColor color);
    virtual void SetLineColor(XColor color);
    XColor GetCellTextColor() const { return m_cellText; }
    XColor GetCellBackColor() const { return m_cellBack; }
    XColor GetFixedBackColor() const { return m_fixedBack; }
    XColor GetFixedTextColor() const { return m_fixedText; }
    XColor GetLineColor() const { return m_lineColor; }

    // Set when the table's tree runs down the rows: WriteCsv leaves hidden rows out.
    void SetVerticalLayout(int flag) { m_verticalLayout = flag != 0; }
    int GetVerticalLayout() const { return m_verticalLayout ? 1 : 0; }

    // Writes one line per row (only visible rows under the vertical layout),
    // the texts of the visible columns each in double quotes (inner quotes
    // doubled), separated by commas, lines ended by CR LF; CP932, or UTF-8
    // with a BOM when a text has no CP932 form. 1 on success, 0 when the
    // file cannot be written.
    virtual int WriteCsv(const QString& path) const;

    // --- Layout and screen geometry (viewport pixels).
    // Recomputes line positions, scroll ranges and the top-left cell; flag 0
    // keeps the scroll positions where they are (clamped), 1 scrolls home.
    virtual void RecalcLayout(int flag = 1);
    // The first visible scrolled row and column; the last row (column) when
    // none is visible; invalid in a grid without lines.
    virtual CXCellID GetTopLeftCell(int force = 0) const;
    // The rectangle of one cell (empty for a hidden or invalid cell) and of
    // the whole merged area that holds it, in viewport pixels.
    QRect GetCellRect(CXCellID pos) const;
    QRect GetMergedRect(CXCellID pos) const;
    // The cell under a viewport point, or invalid.
    CXCellID CellAt(const QPoint& point) const;
    const CXAxisLayout& RowLayout() const;
    const CXAxisLayout& ColumnLayout() const;
    // Scroll positions as ordinals of the first shown visible data line.
    int GetScrollRow() const { return m_scrollRow; }
    int GetScrollColumn() const { return m_scrollCol; }
    void SetScrollPosition(int rowOrdinal, int colOrdinal);
    // Scrolls so that the cell is on screen.
    void EnsureVisible(CXCellID pos);
    // The view's size; 0 means unbounded (a grid without a window).
    void SetViewportSize(const QSize& size);
    QSize GetViewportSize() const { return m_viewSize; }

    // --- Cursor.
    CXCellID GetCurrentCell() const { return m_current; }
    CXCellID GetPreviousCell() const { return m_previous; }
    bool IsDataCell(CXCellID pos) const;

    // --- Screen hooks; the model alone has no screen.
    // Marks the picture dirty and repaints at once.
    virtual void Redraw() {}
    // Repaints one cell's rectangle grown by 2 pixels.
    virtual void InvalidateCell(CXCellID) {}

protected:
    // Called after lines were added or removed, so that the accessibility
    // layer and the screen forget what they knew.
    virtual void OnStructureChanged() {}
    // Called after the layout or the scroll position changed.
    virtual void OnScrollChanged() {}
    // Called after the font face or size changed.
    virtual void OnFontChanged() {}
    // Called after every cursor move, before anything is spoken.
    virtual void OnCursorMoved(CXCellID /*previous*/, CXCellID /*current*/) {}
    // Moves the cursor without any speech: previous := current.
    void PlaceCursor(CXCellID pos);
    void EnsureLayout() const;
    void MarkLayoutDirty() { m_layoutDirty = true; }

    std::unique_ptr<CXCellBase> MakeCell(int row, int col) const;
    bool m_destroying = false;

private:
    void FixSpansAfterShrink();
    void NormaliseSpan(int row, int col, bool downward);
    void CopyMergeState(const CXCellBase& from, CXCellBase& to) const;
    int Merge(int row, int col, int length, int node, bool downward);
    void Unmerge(int row, int col, bool downward);
    void JoinInsertedRow(int row);
    void LeaveDeletedRow(int row);
    CXLineBase* TreeLine(int line) const;
    int TreeDepth() const;
    CXSpan GroupSpan(int level, int line) const;
    bool GroupAt(int level, int line) const;
    bool HiddenByDeeperGroup(int line, int level) const;
    void SetTreeLineVisible(int line, bool visible);

    std::vector<std::unique_ptr<CXRow>> m_rows;
    std::vector<std::unique_ptr<CXColumn>> m_cols;
    int m_fixedRows = 0;
    int m_fixedCols = 0;
    CXCellID m_current;
    CXCellID m_previous;
    int m_treeMode = 0;
    int m_rowTreeDepth = 0;
    int m_colTreeDepth = 0;
    QString m_fontFace;
    int m_fontSize = 9;
    double m_zoom = 1.0;
    XColor m_cellText = cxgrid::WindowTextColor;
    XColor m_cellBack = cxgrid::WindowColor;
    XColor m_fixedBack = cxgrid::ButtonFaceColor;
    XColor m_fixedText = cxgrid::WindowTextColor;
    XColor m_lineColor = 0xFF808080;
    bool m_verticalLayout = false;

    mutable CXAxisLayout m_rowLayout;
    mutable CXAxisLayout m_colLayout;
    mutable bool m_layoutDirty = true;
    int m_scrollRow = 0;
    int m_scrollCol = 0;
    QSize m_viewSize;
};
