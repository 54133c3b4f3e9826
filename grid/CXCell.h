#pragma once
// Cells of the grid. Every cell is an object of a class derived from
// CXCellBase: the grid creates CXCellDefault (kind 1); the editable kinds
// (CXCellEditors.h) put a small editor over the cell while the user types.
// A cell holds its text, format, colours and its place in a row merge and a
// column merge. The drawing operations take a QPainter but this header pulls
// in no widget code: the model uses cells without ever drawing them.

#include "grid/CXGridTypes.h"

#include <QRect>
#include <QString>

#include <memory>

class QPainter;

// What drawing a cell needs besides the painter: text margins in device
// pixels (screen margins times zoom, or print margins on a printer).
struct CXDrawContext {
    int marginX = cxgrid::TextMarginX;
    int marginY = cxgrid::TextMarginY;
};

class CXCellBase {
public:
    explicit CXCellBase(int kind = 0) : m_kind(kind) {}
    virtual ~CXCellBase();
    CXCellBase(const CXCellBase&) = delete;
    CXCellBase& operator=(const CXCellBase&) = delete;

    // Drawing. The base class draws the word "BASE" as a visible mark for a
    // kind that did not replace them.
    virtual void DrawText(QPainter& painter, const QRect& rect, const CXDrawContext& context) const;
    virtual void Draw(QPainter& painter, const QRect& rect, const CXDrawContext& context) const;

    int GetKind() const { return m_kind; }
    // The inner cell's text when there is one.
    QString GetText() const { return m_inner ? m_inner->GetText() : m_text; }
    void SetText(const QString& text) { m_text = text; }
    int GetFormat() const { return m_format; }
    void SetFormat(int format) { m_format = format; }
    XColor GetTextColor() const { return m_textColor; }
    void SetTextColor(XColor color) { m_textColor = color; }
    XColor GetBackColor() const { return m_backColor; }
    void SetBackColor(XColor color) { m_backColor = color; }

    const CXSpan& RowSpan() const { return m_rowSpan; }
    const CXSpan& ColumnSpan() const { return m_colSpan; }
    void SetRowSpan(const CXSpan& span) { m_rowSpan = span; }
    void SetColumnSpan(const CXSpan& span) { m_colSpan = span; }

    // An optional owned cell that supplies the text and does the drawing.
    CXCellBase* GetInnerCell() const { return m_inner.get(); }
    void SetInnerCell(std::unique_ptr<CXCellBase> inner) { m_inner = std::move(inner); }

    // Takes text, format, colours and merge records of another cell (used when
    // a cell is replaced by one of another kind).
    void CopyStateFrom(const CXCellBase& other);

protected:
    // Draws text one pixel inside the rectangle with the cell's format.
    void DrawPlain(QPainter& painter, const QRect& rect, const QString& text) const;

private:
    QString m_text;
    std::unique_ptr<CXCellBase> m_inner;
    CXSpan m_rowSpan;
    CXSpan m_colSpan;
    int m_kind;
    int m_format = cxgrid::FormatDefault;
    XColor m_textColor = cxgrid::WindowTextColor;
    XColor m_backColor = cxgrid::ButtonFaceColor;
};

// The text cell: its text inside the text margins, centred vertically even
// when it wraps.
class CXCellDefault : public CXCellBase {
public:
    CXCellDefault() : CXCellBase(cxgrid::KindDefault) {}
    void DrawText(QPainter& painter, const QRect& rect, const CXDrawContext& context) const override;
    void Draw(QPainter& painter, const QRect& rect, const CXDrawContext& context) const override;
};
