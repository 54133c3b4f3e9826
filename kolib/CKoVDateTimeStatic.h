#pragma once
// A date shown as text that the user can reach with Tab: getting the focus
// speaks the text.

#include <QDate>
#include <QLabel>

class CKoVDateTimeStatic : public QLabel {
    Q_OBJECT
public:
    explicit CKoVDateTimeStatic(QWidget* parent = nullptr);

    // Shows the date as year, month and day ("2024年5月3日"); an invalid date shows nothing.
    void SetDate(const QDate& date);
    QDate Date() const { return m_date; }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QDate m_date;
    bool m_focusSpoken = false;
};
