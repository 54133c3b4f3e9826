#pragma once
// Where the main window was when it closed: section "Window" of the settings
// file ("Left", "Top", "Right", "Bottom" of the normal rectangle, and
// "Zoomed" 1 when it was maximised). Written when the main window closes;
// start-up always shows the window maximised, over the stored rectangle as the
// size it returns to (the screen's work area when none is stored), so a
// desktop that maximises nothing still shows the whole window.

#include <QRect>
#include <QString>

class QWidget;

class CWindowPlacement {
public:
    // The settings file to write into; set by start-up.
    void SetFilePath(const QString& path) { m_path = path; }
    bool Save(const QRect& normalGeometry, bool maximised) const;
    // The stored rectangle when it lies on the window's screen, else that
    // screen's available area.
    QRect NormalGeometry(const QWidget& window) const;
    // Gives the window its normal rectangle, then shows it maximised and
    // with the keyboard.
    void ShowMaximised(QWidget& window) const;

private:
    QString m_path;
};
