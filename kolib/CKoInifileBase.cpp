#include "CKoInifileBase.h"

#include "platform/KnownFolders.h"
#include "platform/PrivateProfile.h"
#include "platform/TextNumber.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;
namespace profile = platform::profile;

namespace {

const QString setupSection = u"Setup"_s;
const QString folderKey = u"Folder"_s;

bool ensureFolder(const QString& path)
{
    return QDir(path).exists() || QDir().mkdir(path);
}

}  // namespace

quint32 ColorRefFromColor(const QColor& color)
{
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}

QColor ColorFromColorRef(quint32 colorRef)
{
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

int CKoInifileBase::Initialize(const QString& folderName, const QString& fileName,
                               const QString& pristineCopyPath)
{
    const QString documents = platform::documentsFolder();
    if (documents.isEmpty()) return 0;
    const QString asagi = documents + u"/Asagi"_s;
    const QString folder = asagi + u'/' + folderName;
    if (!QDir().mkpath(documents) || !ensureFolder(asagi) || !ensureFolder(folder)) return 0;
    m_filePath = folder + u'/' + fileName;
    if (!QFile::exists(m_filePath) && !pristineCopyPath.isEmpty() && QFile::exists(pristineCopyPath)) {
        QFile::copy(pristineCopyPath, m_filePath);
        QFile::setPermissions(m_filePath, QFile::ReadOwner | QFile::WriteOwner);
    }
    return 1;
}

int CKoInifileBase::SetFilePath(const QString& path)
{
    m_filePath = path;
    return 1;
}

QString CKoInifileBase::ReadString(const QString& section, const QString& key,
                                   const QString& defaultValue) const
{
    return profile::readString(m_filePath, section, key, defaultValue);
}

bool CKoInifileBase::WriteString(const QString& section, const QString& key, const QString& value)
{
    return profile::writeString(m_filePath, section, key, value);
}

void CKoInifileBase::ReadIntList(const QString& section, const QString& key, QList<int>& list) const
{
    list.clear();
    const QString value = ReadString(section, key);
    if (value.isEmpty()) return;
    for (const QString& piece : value.split(u','))
        list << platform::atoiLike(piece);
}

void CKoInifileBase::ReadStringList(const QString& section, const QString& key,
                                    QStringList& list) const
{
    list.clear();
    const auto entries = profile::readSection(m_filePath, section);
    auto valueOf = [&entries](const QString& name) {
        for (const auto& [k, v] : entries)
            if (k.compare(name, Qt::CaseInsensitive) == 0) return v;
        return QString();
    };
    for (int index = 1;; ++index) {
        const QString value = valueOf(key + QString::number(index));
        if (value.isEmpty()) break;
        list << value;
    }
}

bool CKoInifileBase::WriteIntList(const QString& section, const QString& key, const QList<int>& list)
{
    QStringList pieces;
    for (int value : list) pieces << QString::number(value);
    return WriteString(section, key, pieces.join(u','));
}

bool CKoInifileBase::WriteStringList(const QString& section, const QString& key,
                                     const QStringList& list)
{
    QList<std::pair<QString, QString>> entries;
    const qsizetype count = std::min<qsizetype>(list.size(), ReadMaxHistorys());
    for (qsizetype i = 0; i < count; ++i) entries.push_back({key + QString::number(i + 1), list[i]});
    return profile::replaceSection(m_filePath, section, entries);
}

bool CKoInifileBase::WriteFontColor(const QColor& color) { return WriteColor(u"FontColor"_s, color); }
QColor CKoInifileBase::ReadFontColor() const { return ReadColor(u"FontColor"_s); }
bool CKoInifileBase::WriteBackColor(const QColor& color) { return WriteColor(u"BackColor"_s, color); }
QColor CKoInifileBase::ReadBackColor() const { return ReadColor(u"BackColor"_s); }
bool CKoInifileBase::HasFontColor() const { return !ReadString(setupSection, u"FontColor"_s).isEmpty(); }
bool CKoInifileBase::HasBackColor() const { return !ReadString(setupSection, u"BackColor"_s).isEmpty(); }

bool CKoInifileBase::WriteSaveFolder(const QStringList& f) { return WriteStringList(u"SaveFolder"_s, folderKey, f); }
void CKoInifileBase::ReadSaveFolder(QStringList& f) const { ReadStringList(u"SaveFolder"_s, folderKey, f); }
bool CKoInifileBase::WriteBackup(const QStringList& f) { return WriteStringList(u"Backup"_s, folderKey, f); }
void CKoInifileBase::ReadBackup(QStringList& f) const { ReadStringList(u"Backup"_s, folderKey, f); }
bool CKoInifileBase::WriteRestore(const QStringList& f) { return WriteStringList(u"Restore"_s, folderKey, f); }
void CKoInifileBase::ReadRestore(QStringList& f) const { ReadStringList(u"Restore"_s, folderKey, f); }

int CKoInifileBase::ReadMaxHistorys() const
{
    return std::max(1, ReadInt(setupSection, u"MaxHistorys"_s, 30));
}

int CKoInifileBase::ReadFontSize() const
{
    return std::max(9, ReadInt(setupSection, u"FontSize"_s));
}

bool CKoInifileBase::WriteFontSize(int size)
{
    return WriteInt(setupSection, u"FontSize"_s, size);
}

QString CKoInifileBase::GetFilePath() const
{
    return m_filePath;
}

int CKoInifileBase::ReadInt(const QString& section, const QString& key, int defaultValue) const
{
    return platform::atoiLike(ReadString(section, key, QString::number(defaultValue)));
}

bool CKoInifileBase::WriteInt(const QString& section, const QString& key, int value)
{
    return WriteString(section, key, QString::number(value));
}

QColor CKoInifileBase::ReadColor(const QString& key) const
{
    return ColorFromColorRef(platform::hexLike(ReadString(setupSection, key)));
}

bool CKoInifileBase::WriteColor(const QString& key, const QColor& color)
{
    return WriteString(setupSection, key,
                       QString::asprintf("%06X", unsigned(ColorRefFromColor(color))));
}
