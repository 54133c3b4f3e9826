#pragma once
// A date field read out part by part. It shows a year-month-day date, a
// year and month, or a year alone (display modes 0, 1, 2). Left and Right move
// between its parts, wrapping round, and speak the part reached ("2024年",
// "5月", "3日"); Up and Down change the part and speak the whole date; any
// other change of the date while the field has the focus speaks only the
// parts that changed. Enter does nothing here; Tab leaves the field.
// With PC-Talker or XP Reader, which do not read this field themselves, getting
// the focus speaks the whole date and sends focusNotify.

#include <QDate>
#include <QDateEdit>

class CKoVDateTimeCtrl : public QDateEdit {
    Q_OBJECT
public:
    explicit CKoVDateTimeCtrl(QWidget* parent = nullptr);

    // 0 year-month-day, 1 year-month, 2 year; the field goes back to the year.
    void SetDisplayMode(int mode);
    int DisplayMode() const { return m_displayMode; }
    // The part the user is in: 0 year, 1 month, 2 day.
    int Field() const { return m_field; }
    int LastField() const { return m_lastField; }

    static QString DisplayFormat(int mode);
    // "%d年", "%d月" or "%d日" of the date's part.
    static QString FieldSpeech(const QDate& date, int field);
    // The parts of `after` that differ from `before`, as far as the display
    // mode shows them ("" when none did).
    static QString ChangeSpeech(const QDate& before, const QDate& after, int mode);

Q_SIGNALS:
    // The field got the focus (PC-Talker and XP Reader only).
    void focusNotify();
    // The date changed while the field had the focus.
    void dateChangeNotify(const QDate& date);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void OnDateChange(const QDate& date);
    void MoveField(int step);
    void SyncField();

    int m_displayMode = 0;
    int m_field = 0;
    int m_lastField = 2;
    QDate m_lastDate;
    bool m_focusSpoken = false;
};
