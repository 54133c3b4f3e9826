#pragma once
// The folder browser of the import and export dialogs: the user picks a
// folder, starting in a given one. Unless the screen reader is PC-Talker
// (which reads it itself), the name of each folder the selection moves to is
// spoken. Draws in the user's colours at the program's magnification.

#include <QFileDialog>

class CKoFolderBrowser : public QFileDialog {
    Q_OBJECT
public:
    CKoFolderBrowser(const QString& title, const QString& startFolder, QWidget* parent = nullptr);

    // Runs the browser modally: 1 with the chosen folder in `folder`, or 2
    // when the user cancelled (`folder` is then left as it was).
    int Browse(QString& folder);

    // The name spoken for a folder: its last part, or the whole path for a root.
    static QString DisplayName(const QString& folder);

private:
    void OnSelChange(const QString& path);
};
