#pragma once
// The editor windows of the editable cells. Each ends once: on its ending
// keys or when it loses the focus (not to its own popup), and then tells the
// grid with its kind's message. Keys that would move the grid's cursor stay
// in the editor.

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPointer>

#include "grid/CXGridTypes.h"

class CXGrid;

// What the three windows share: where they report, and the ending flag.
class CXEditorEnd {
public:
    CXEditorEnd(CXGrid* grid, int message, CXCellID pos) : m_grid(grid), m_message(message), m_pos(pos) {}
    // Reports the end to the grid, the first time only.
    void End(int key);
    bool HasEnded() const { return m_ended; }
    void MarkEnded() { m_ended = true; }

private:
    QPointer<CXGrid> m_grid;
    int m_message;
    CXCellID m_pos;
    bool m_ended = false;
};

class CXCellWndEdit : public QLineEdit, public CXEditorEnd {
public:
    CXCellWndEdit(CXGrid* grid, CXCellID pos, QWidget* parent);

protected:
    bool event(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

class CXCellWndCombo : public QComboBox, public CXEditorEnd {
public:
    CXCellWndCombo(CXGrid* grid, CXCellID pos, QWidget* parent);

protected:
    bool event(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

class CXCellWndDateTimeCtrl : public QDateEdit, public CXEditorEnd {
public:
    CXCellWndDateTimeCtrl(CXGrid* grid, CXCellID pos, QWidget* parent);

protected:
    bool event(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};
