#pragma once
// "インポート": replaces every table of the open ledger with the CSV files of
// a folder, after asking. Accepted when the import was done.

#include "kinzo/dialogs/transfer/CPathDialog.h"

class CKinzoDoc;

class CImportDialog : public CPathDialog {
    Q_OBJECT
public:
    CImportDialog(QWidget* parent, CKinzoDoc& document);

protected:
    void Browse() override;
    void OnOK() override;

private:
    CKinzoDoc& m_document;
};
