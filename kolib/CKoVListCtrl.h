#pragma once
// A list with columns and a check box on each row, read out row by row: after
// each key pressed in it (Alt and Control chords aside) the selected (else the
// current) row is spoken, each non-empty column with its heading, then
// " チェックあり " or " チェックなし " for a row with a check box. With XP
// Reader, Space also says whether it set or cleared the check. The column
// widths grow and shrink with the font when the window is magnified.

#include <QElapsedTimer>
#include <QTreeWidget>

#include <functional>

class CKoVListCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit CKoVListCtrl(QWidget* parent = nullptr);

    // The first selected row in list order, or null.
    QTreeWidgetItem* FirstSelected() const;
    // The row the list says: the first selected one, else the current one,
    // which the list marks without selecting it when first reached.
    QTreeWidgetItem* SpokenRow() const;
    // What is spoken for a row: its text, then its check box's state.
    QString ItemSpeech(const QTreeWidgetItem* item) const;
    // Each non-empty column of the row with its heading.
    QString RowText(const QTreeWidgetItem* item) const;
    // Rows are checkable by default; a row shows a box only once it has a state.
    static bool HasCheckBox(const QTreeWidgetItem* item);
    // Says the spoken row (after the window changed the list); stop 0 lets
    // what is being said finish first.
    void SayCurrent(int stop = 1);
    // After the window filled the list anew: selects the row at `index` (the
    // last one when there are fewer), takes the keyboard and says the row once
    // what is being said has been said.
    void ReturnToRow(int index);
    // What XP Reader hears after Space left the check box so.
    static QString CheckAnnouncement(bool checked);
    // What Enter (or Return) does on the list, given the modifiers held with
    // it; an action that answers false leaves the key to the list.
    void SetEnterAction(std::function<bool(Qt::KeyboardModifiers)> action) { m_enterAction = std::move(action); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    // A list the window did not name is named by the window's title.
    void showEvent(QShowEvent* event) override;
    // Reaching the list (a window opening on it, Tab, a window closing over
    // it) says its current row, after what is being said.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // The screen reader is told of the current and selected row as children
    // of the list (KoListAccessible.h).
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

private:
    int m_fontHeight;   // of the font the column widths were made for
    int m_pressedKey = 0;   // the key pressed while the list had the keyboard
    bool m_sayOnFocus = true;   // the window opened on the list, or one closed over it
    bool m_returning = false;   // ReturnToRow takes the keyboard and says the row itself
    std::function<bool(Qt::KeyboardModifiers)> m_enterAction;
    // The row said on the list's being reached, and when: reached twice in
    // a moment (the keyboard back, then the refilled row), it is said once.
    void SayArrival();
    static constexpr int ArrivalRepeatMs = 1000;
    static constexpr int ArrivalDelayMs = 150;
    QString m_arrivalWords;
    QElapsedTimer m_arrivalSaid;
};
