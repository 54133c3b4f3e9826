#pragma once
// The base of every dialog of the programs. It draws in the user's colours,
// opens at the program's magnification, and handles the keys the same way in
// every dialog:
// - Enter presses the focused button (OK confirms, Cancel cancels) and does
//   nothing anywhere else, so a dialog never closes by accident; a multi-line
//   field keeps its Enter.
// - Escape stops speech and cancels.
// - Control+Shift+Up / Down magnify the dialog a step up or down the font-size
//   list (when magnification is enabled); at the end of the list nothing happens.
// - F1 to F12 (first press only) go to the dialog's function-key menu; while a
//   key it took is held, the screen reader's own tree and list reading is off.
//
// A derived dialog builds its controls in its constructor (an object name
// that is the control id, such as "1037"), makes its OK and Cancel buttons
// with MakeOkButton / MakeCancelButton, fills its fields in OnInitDialog and
// checks them in OnOK, calling CKoVDialogBase::OnOK() to close. accept() and
// reject() lead to OnOK and OnCancel, so every way of closing goes through them.

#include "CKoButton.h"
#include "CKoVFKeyMenu.h"
#include "CKoWindowZoom.h"

#include <QDialog>
#include <QPointer>

class QHBoxLayout;

class CKoVDialogBase : public QDialog {
    Q_OBJECT
public:
    // A positive resource id is also the dialog's object name.
    explicit CKoVDialogBase(int resourceId, QWidget* parent = nullptr);
    ~CKoVDialogBase() override;

    // Runs the dialog modally; QDialog::Accepted or QDialog::Rejected.
    int DoModal() { return exec(); }

    int ResourceId() const { return m_resourceId; }
    CKoVFKeyMenu& FKeyMenu() { return m_fkeyMenu; }
    CKoWindowZoom& Zoom() { return m_zoom; }
    // The font size the dialog is magnified to (starts at the program's).
    int ZoomStep() const { return m_zoomStep; }
    CKoButton* OkButton() const { return m_okButton; }
    CKoButton* CancelButton() const { return m_cancelButton; }

    // Draws the dialog again in the user's colours (after they changed), or
    // in the user's text colour on the given back colour (a preview).
    void RebuildBrush();
    void SetBackColor(const QColor& back);

    void accept() override { OnOK(); }
    void reject() override { OnCancel(); }

protected:
    // The OK button (object name "1") and Cancel button ("2"), wired to OnOK
    // and OnCancel; owned by the dialog.
    CKoButton* MakeOkButton(const QString& caption = QStringLiteral("OK"));
    CKoButton* MakeCancelButton(const QString& caption = QStringLiteral("キャンセル"));
    // A row with the two buttons at its right end, made when missing.
    QHBoxLayout* MakeOkCancelRow();

    // Called once, just before the dialog is first shown.
    virtual void OnInitDialog() {}
    // Close with Accepted / Rejected. Derived dialogs check first.
    virtual void OnOK();
    virtual void OnCancel();

    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // One step up or down the font-size list, as Control+Shift+Up / Down do.
    void StepZoom(bool larger);

private:
    void MakeShortcuts();
    void OnFunctionKey(int key);
    void ReleaseFunctionKey();
    void CentreOnParent();

    int m_resourceId;
    CKoVFKeyMenu m_fkeyMenu;
    CKoWindowZoom m_zoom;
    QPointer<CKoButton> m_okButton;
    QPointer<CKoButton> m_cancelButton;
    int m_fkeyHeld = 0;
    int m_zoomStep = 0;
    bool m_initialised = false;
};
