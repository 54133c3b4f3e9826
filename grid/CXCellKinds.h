#pragma once
// The cell kinds beyond the text cell: cells edited in place (a single-line
// edit, a combo box, a date picker), the image cell, and their common base.
// An editable cell puts its editor window over itself while the user types;
// the editor ends on its ending keys or when it loses the focus, and reports
// that once to the grid, which stores the text and closes it (CXGrid::OnEndEdit).

#include "grid/CXCell.h"

#include <QImage>
#include <QPointer>
#include <QStringList>

class CXGrid;
class QFont;
class QWidget;

// Base of the cells that host a control.
class CXCellControl : public CXCellBase {
public:
    using CXCellBase::CXCellBase;
    // Stores pos; with an initial text (the first typed input) the cell text
    // is replaced by it; opens the editor over rect in the grid's viewport
    // with the grid's font and gives it the focus. 0 when it cannot start.
    virtual int BeginEdit(CXGrid* grid, int charCode, const QFont& font, CXCellID pos, const QString& initial,
                          const QRect& rect) = 0;
    // Closes the editor (deleted once control returns to the event loop). Returns 1.
    virtual int EndEdit() = 0;
    // What the editor holds now.
    virtual QString GetEditText() const = 0;

    CXCellID GetEditPosition() const { return m_editPos; }
    QWidget* GetEditor() const { return m_editor; }

protected:
    int OpenEditor(QWidget* editor, const QFont& font, const QRect& rect);
    int CloseEditor();

    CXCellID m_editPos;
    QPointer<QWidget> m_editor;
};

// Kind 2: edited with a single-line edit (object name "3000").
class CXCellEdit : public CXCellControl {
public:
    CXCellEdit() : CXCellControl(cxgrid::KindEdit) {}
    void Draw(QPainter& painter, const QRect& rect, const CXDrawContext& context) const override;
    int BeginEdit(CXGrid* grid, int charCode, const QFont& font, CXCellID pos, const QString& initial,
                  const QRect& rect) override;
    int EndEdit() override;
    QString GetEditText() const override;
};

// Kind 3: edited with a combo box of choices (object name "3001").
class CXCellCombo : public CXCellControl {
public:
    CXCellCombo() : CXCellControl(cxgrid::KindCombo) {}
    void SetChoices(const QStringList& choices) { m_choices = choices; }
    QStringList GetChoices() const { return m_choices; }
    void Draw(QPainter& painter, const QRect& rect, const CXDrawContext& context) const override;
    int BeginEdit(CXGrid* grid, int charCode, const QFont& font, CXCellID pos, const QString& initial,
                  const QRect& rect) override;
    int EndEdit() override;
    // The selected choice, or the typed text when none is selected.
    QString GetEditText() const override;

private:
    QStringList m_choices;
};

// Kind 5: a date "yyyy/MM/dd" edited with a date picker (object name "3002");
// with the up-down flag the picker has arrows instead of a calendar.
class CXCellDateTimeCtrl : public CXCellControl {
public:
    CXCellDateTimeCtrl() : CXCellControl(cxgrid::KindDate) {}
    void SetUpDown(bool upDown) { m_upDown = upDown; }
    bool IsUpDown() const { return m_upDown; }
    void Draw(QPainter& painter, const QRect& rect, const CXDrawContext& context) const override;
    int BeginEdit(CXGrid* grid, int charCode, const QFont& font, CXCellID pos, const QString& initial,
                  const QRect& rect) override;
    int EndEdit() override;
    // The picked date as "yyyy/MM/dd"; empty when the picker has none.
    QString GetEditText() const override;

private:
    bool m_upDown = false;
};

// A cell that shows an image, scaled to fit and centred.
class CXCellImage : public CXCellBase {
public:
    CXCellImage() : CXCellBase(0) {}
    void SetImage(const QImage& image) { m_image = image; }
    void Draw(QPainter& painter, const QRect& rect, const CXDrawContext& context) const override;

private:
    QImage m_image;
};
