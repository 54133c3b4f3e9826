#pragma once
// The shape the export, import and backup dialogs share: an editable combo
// with the path history of a settings section, a "参照" button beside it, OK
// and Cancel. A derived dialog says how to browse and checks and runs on OK.
// User-interface thread only.

#include "kolib/CKoVDialogBase.h"

#include <QStringList>

class CKoButton;
class CKoVComboBox;

class CPathDialog : public CKoVDialogBase {
    Q_OBJECT
public:
    CKoVComboBox* PathCombo() const { return m_combo; }
    CKoButton* BrowseButton() const { return m_browse; }
    QString Path() const;

protected:
    // history is read from and written to the settings with read and write.
    CPathDialog(QWidget* parent, const QString& title, const QString& label, const char* comboId,
                const char* browseId, QStringList history);
    void OnInitDialog() override;
    virtual void Browse() = 0;
    void SetPath(const QString& path);
    // The path moved to the top of the history; returns it for storing.
    QStringList HistoryWithPath() const;

private:
    CKoVComboBox* m_combo = nullptr;
    CKoButton* m_browse = nullptr;
    QStringList m_history;
};
