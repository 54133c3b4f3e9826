#pragma once
// The magnifier of one window: it shows the window and its controls at a zoom
// factor of their designed size. The designed (unscaled) size of the window
// and the rectangles of the controls placed on it by hand are taken the first
// time a factor is applied; every later factor scales from them, so stepping
// up and down never piles up rounding. Controls placed by a layout follow the
// font. Nothing happens while magnification is switched off in the settings.

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <vector>

class CKoWindowZoom {
public:
    // The window must outlive the magnifier (make the magnifier a member of it).
    explicit CKoWindowZoom(QWidget* window);

    // The toolkit's font at a factor: point size round(9 × factor).
    static QFont ZoomFont(double factor);

    // Sets the font of the factor on the window (its children follow) and
    // scales the hand-placed controls and, for a top-level window, its size.
    void Apply(double factor);
    double Factor() const { return m_factor; }
    const QFont& Font() const { return m_font; }
    // Forgets the designed geometry, for a window whose controls were rebuilt.
    void Reset() { m_captured = false; m_children.clear(); }

private:
    struct ChildRect {
        QPointer<QWidget> widget;
        QRect rect;
    };

    void Capture();

    QPointer<QWidget> m_window;
    double m_factor = 1.0;
    QFont m_font;
    bool m_captured = false;
    QSize m_windowSize;
    std::vector<ChildRect> m_children;
};
