#pragma once
// "バックアップ": a copy of the open ledger into another data file, never over
// the open one. Accepted when the backup was made.

#include "kinzo/dialogs/transfer/CPathDialog.h"

class CKinzoDoc;

class CBackupDlg : public CPathDialog {
    Q_OBJECT
public:
    CBackupDlg(QWidget* parent, CKinzoDoc& document);

protected:
    void Browse() override;
    void OnOK() override;

private:
    CKinzoDoc& m_document;
};
