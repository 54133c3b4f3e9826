#pragma once
// The base of the cash book's views in the main window (the placeholder and
// the four ledger views). The main window routes every command to the active
// view first, asks it which commands it can run now, tells it the document's
// update hints, and asks it to load its data again when the view is chosen
// while it is already shown.

#include "kolib/CKoFormViewBase.h"

#include <optional>

class CKinzoDoc;

class CKinzoViewBase : public CKoFormViewBase {
    Q_OBJECT
public:
    // The document outlives the view.
    CKinzoViewBase(int resourceId, CKinzoDoc& document, QWidget* parent = nullptr);

    CKinzoDoc& GetDocument() const { return m_document; }

    // Loads the view's data again (with the application's current date).
    virtual void ReloadView();
    // Runs a command of the view; false when the view has none by that number
    // (the main window then runs its own).
    virtual bool OnCommand(int commandId);
    // Whether the view's command can run now, or nullopt when the view has no
    // command by that number.
    virtual std::optional<bool> IsCommandEnabled(int commandId) const;
    // Whether a command of the view shows a check mark (radio items such as the
    // expand levels), or nullopt when the view leaves the mark to the window.
    virtual std::optional<bool> IsCommandChecked(int commandId) const;

protected:
    // Hands a command to the main window, after the event that chose it (the
    // Escape of the day list switches to the month view this way).
    void PostCommandToMainWindow(int commandId);

private:
    CKinzoDoc& m_document;
};
