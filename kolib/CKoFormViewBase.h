#pragma once
// The base of every view the main window shows. It draws in the user's
// colours and follows the program's magnification:
// - the document's update of all views reaches OnUpdate; the base handles
//   KoHintColorsChanged (draw again in the user's colours) and
//   KoHintZoomChanged (magnify to the program's current zoom factor);
// - Control+Shift+Up / Down step the program's magnification (the font-size
//   list of the settings) and magnify the view; ZoomChanged then tells the
//   main window, which tells the other views;
// - Escape that no control inside took stops speech.
// A derived view builds its controls in its constructor and loads its data
// in OnInitialUpdate.

#include "CKoWindowZoom.h"

#include <QVariant>
#include <QWidget>

// The update hints the base handles; the document's other hints pass through.
enum KoViewHint : int {
    KoHintColorsChanged = 0x405,
    KoHintZoomChanged = 0x406,   // hint object: the new zoom factor (double)
};

class CKoFormViewBase : public QWidget {
    Q_OBJECT
public:
    // The form's resource id is also the view's object name.
    explicit CKoFormViewBase(int resourceId, QWidget* parent = nullptr);

    int ResourceId() const { return m_resourceId; }
    CKoWindowZoom& Zoom() { return m_zoom; }

    // Called once the view is placed in the main window, before it is shown.
    virtual void OnInitialUpdate();
    // The document's update of all views (sender: the view that caused it, or null).
    virtual void OnUpdate(QObject* sender, int hint, const QVariant& hintObject);

Q_SIGNALS:
    // The magnification keys changed the program's zoom factor.
    void ZoomChanged(double factor);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void StepZoom(bool larger);

    int m_resourceId;
    CKoWindowZoom m_zoom;
};
