#include "CRecentFileList.h"

#include "platform/UserRegistry.h"

using namespace Qt::StringLiterals;

namespace {

platform::UserRegistryKey store()
{
    return platform::UserRegistryKey(u"Kinzo2"_s, u"KinzoVer2"_s);
}

QString entryName(int index)
{
    return u"Recent File List/File%1"_s.arg(index + 1);
}

}  // namespace

CRecentFileList::CRecentFileList(int size) : m_size(size) {}

QStringList CRecentFileList::Files() const
{
    QStringList files;
    const auto key = store();
    for (int i = 0; i < m_size; ++i) {
        const QString file = key.readString(entryName(i));
        if (!file.isEmpty()) files << file;
    }
    return files;
}

void CRecentFileList::Add(const QString& path)
{
    QStringList files = Files();
    files.removeAll(path);
    files.prepend(path);
    Store(files.mid(0, m_size));
}

void CRecentFileList::Remove(const QString& path)
{
    QStringList files = Files();
    files.removeAll(path);
    Store(files);
}

void CRecentFileList::Store(const QStringList& files)
{
    auto key = store();
    for (int i = 0; i < m_size; ++i) {
        if (i < files.size()) key.writeString(entryName(i), files[i]);
        else key.remove(entryName(i));
    }
}
