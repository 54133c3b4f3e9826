#pragma once
// The settings file of a program: stateless, key-by-key accessors over one INI
// file in the user's folder. Every call reads or rewrites the file, so values
// written by one part of the program are seen at once by every other part.
// Read failures give the key's default; write failures are not reported to
// the user (the Write operations return false for callers that care).
// Used from the user-interface thread only.

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

// Colours are stored as Windows stores them: 0x00BBGGRR, red in the low byte.
quint32 ColorRefFromColor(const QColor& color);
QColor ColorFromColorRef(quint32 colorRef);

class CKoInifileBase {
public:
    CKoInifileBase() = default;
    virtual ~CKoInifileBase() = default;

    // Makes <documents>/Asagi/<folderName>, creating the levels that are
    // missing, and points at <that folder>/<fileName>. When the file does not
    // exist and a pristine copy is named, copies it there first.
    // Returns 0 when a folder cannot be created (or the documents folder is
    // unknown), else 1.
    virtual int Initialize(const QString& folderName, const QString& fileName,
                           const QString& pristineCopyPath);
    virtual int SetFilePath(const QString& path);

    virtual QString ReadString(const QString& section, const QString& key,
                               const QString& defaultValue = QString()) const;
    virtual bool WriteString(const QString& section, const QString& key, const QString& value);
    // "120,80,80": split at "," with atoi for each piece; an empty value is an empty list.
    virtual void ReadIntList(const QString& section, const QString& key, QList<int>& list) const;
    // <key>1, <key>2, ... up to the first empty or missing value.
    virtual void ReadStringList(const QString& section, const QString& key, QStringList& list) const;
    virtual bool WriteIntList(const QString& section, const QString& key, const QList<int>& list);
    // Replaces the whole section with at most MaxHistorys entries.
    virtual bool WriteStringList(const QString& section, const QString& key, const QStringList& list);

    virtual bool WriteFontColor(const QColor& color);
    virtual QColor ReadFontColor() const;
    virtual bool WriteBackColor(const QColor& color);
    virtual QColor ReadBackColor() const;
    // Whether the file holds a value for the colour at all (a missing one reads as black).
    bool HasFontColor() const;
    bool HasBackColor() const;

    virtual bool WriteSaveFolder(const QStringList& folders);
    virtual void ReadSaveFolder(QStringList& folders) const;
    virtual bool WriteBackup(const QStringList& folders);
    virtual void ReadBackup(QStringList& folders) const;
    virtual bool WriteRestore(const QStringList& folders);
    virtual void ReadRestore(QStringList& folders) const;

    // At least 1; 30 when the key is missing.
    virtual int ReadMaxHistorys() const;

    // Screen font size in points, at least 9.
    virtual int ReadFontSize() const;
    virtual bool WriteFontSize(int size);

    virtual QString GetFilePath() const;

protected:
    int ReadInt(const QString& section, const QString& key, int defaultValue = 0) const;
    bool WriteInt(const QString& section, const QString& key, int value);
    QColor ReadColor(const QString& key) const;
    bool WriteColor(const QString& key, const QColor& color);

    QString m_filePath;
};
