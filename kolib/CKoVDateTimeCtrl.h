#pragma once
// A date field read out part by part. It shows a year-month-day date, a
// year and month, or a year alone (display modes 0, 1, 2). Left and Right move
// between its parts, wrapping round, and speak the part reached ("2024年",
// "5月", "3日"); Up and Down change the part and speak the whole date; any
// other change of the date while the field has the focus speaks only the
// parts that changed. Digits are typed into the part the user is in, one by
// one: a part takes its value as soon as the digits make one (a month "5" at
// once, "1" then "2" gives 12), the year when all four are there; a digit that
// makes no value is refused aloud and Backspace takes back the last digit.
// Enter does nothing here; Tab leaves the field. Reached by Tab or a
// shortcut, the field starts at the year.
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
    // Digits typed into the part may still grow the value just taken ("1" of
    // "11" is January until the second digit comes).
    bool IsTyping() const { return !m_typed.isEmpty(); }

    static QString DisplayFormat(int mode);
    // "%d年", "%d月" or "%d日" of the date's part.
    static QString FieldSpeech(const QDate& date, int field);
    // The parts of `after` that differ from `before`, as far as the display
    // mode shows them ("" when none did).
    static QString ChangeSpeech(const QDate& before, const QDate& after, int mode);
    // What is said when a typed value cannot be taken ("15月は入力できません").
    static QString RefusalSpeech(int value, int field);

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
    void TypeDigit(int digit);
    void TakeBackDigit();
    void SetFieldValue(int value);
    // The largest value the part can hold, and its number of digits.
    int FieldMaximum() const;
    int FieldDigits() const;
    void ForgetTyping() { m_typed.clear(); }

    int m_displayMode = 0;
    int m_field = 0;
    int m_lastField = 2;
    QDate m_lastDate;
    bool m_focusSpoken = false;
    // The digits typed into the current part so far, and its value before them.
    QString m_typed;
    int m_valueBeforeTyping = 0;
    bool m_typing = false;
};
