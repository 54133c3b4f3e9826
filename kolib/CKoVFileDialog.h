#pragma once
// The programs' file dialog for opening and saving. It draws in the user's
// colours at the program's magnification and, unless the screen reader is
// PC-Talker (which reads these itself), speaks "フォルダ " and the folder's
// name when the folder changes, and the file's name when the selection does.
// An open dialog accepts only existing files; a save dialog asks before
// overwriting. A dialog given no folder starts in the program's start folder
// (the open ledger's folder), else in the user's documents folder.

#include <QFileDialog>

class CKoVFileDialog : public QFileDialog {
    Q_OBJECT
public:
    // filter: "description|patterns|description|patterns||", patterns
    // separated by ";" (as "KinzoVer2ファイル(*.kzd)|*.kzd|すべてのファイル(*.*)|*.*||").
    // defaultExt with or without its dot; fileName may hold a folder.
    CKoVFileDialog(bool openFileDialog, const QString& defaultExt = QString(),
                   const QString& fileName = QString(), QFileDialog::Options options = {},
                   const QString& filter = QString(), QWidget* parent = nullptr);

    // Runs the dialog modally; QDialog::Accepted or QDialog::Rejected.
    int DoModal() { return exec(); }
    // The chosen file's full path (empty before a file was chosen).
    QString GetPathName() const;

    // The folder dialogs start in when they are given none; an empty or
    // missing folder means the documents folder.
    static void SetStartFolder(const QString& folder);
    static QString StartFolder();

    // The dialog's name filters for a "description|patterns|...||" filter.
    static QStringList NameFilters(const QString& filter);
    // What is spoken for a folder the dialog moved to.
    static QString FolderSpeech(const QString& folder);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnFolderChange(const QString& folder);
    void OnSelChange(const QString& path);
};
