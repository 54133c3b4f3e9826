#pragma once
// Where the main window was when it closed: section "Window" of the settings
// file ("Left", "Top", "Right", "Bottom" of the normal rectangle, and
// "Zoomed" 1 when it was maximised). Written when the main window closes;
// start-up always shows the window maximised and does not read it back.

#include <QRect>
#include <QString>

class CWindowPlacement {
public:
    // The settings file to write into; set by start-up.
    void SetFilePath(const QString& path) { m_path = path; }
    bool Save(const QRect& normalGeometry, bool maximised) const;

private:
    QString m_path;
};
