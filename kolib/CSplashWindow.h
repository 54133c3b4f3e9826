#pragma once
// The window shown while a program starts: borderless, kept out of the task
// bar, in the user's back colour, centred on its parent (or the screen). It
// shows the program's name; start-up destroys it when the main window is ready.

#include <QFrame>

class QLabel;

class CSplashWindow : public QFrame {
    Q_OBJECT
public:
    // An empty text shows the application's display name.
    explicit CSplashWindow(const QString& text = QString(), QWidget* parent = nullptr);

    // Shows the window centred and paints it at once (start-up is busy afterwards).
    void ShowCentred();

private:
    QLabel* m_label;
};
