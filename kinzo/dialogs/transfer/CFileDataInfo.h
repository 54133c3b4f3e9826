#pragma once
// "ファイル情報": the open data file's path, its first and last entry dates
// (empty without entries) and its number of entries, read only.

#include "kolib/CKoVDialogBase.h"

class CKinzoDoc;
class CKoEdit;

class CFileDataInfo : public CKoVDialogBase {
    Q_OBJECT
public:
    CFileDataInfo(QWidget* parent, CKinzoDoc& document);
    CKoEdit* Field(int id) const;

protected:
    void OnInitDialog() override;

private:
    CKinzoDoc& m_document;
};
