#pragma once
// The files opened last, newest first, kept in the user's store of the
// program (the place the Windows version's framework kept them).

#include <QStringList>

class CRecentFileList {
public:
    explicit CRecentFileList(int size = 5);

    QStringList Files() const;
    // Puts the file first (dropping an older copy of it and the oldest beyond the size).
    void Add(const QString& path);
    void Remove(const QString& path);

private:
    void Store(const QStringList& files);

    int m_size;
};
