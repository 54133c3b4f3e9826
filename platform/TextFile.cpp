#include "TextFile.h"

#include "Cp932Codec.h"

#include <QFile>
#include <QSaveFile>

namespace platform {

bool readTextFile(const QString& path, QString& text)
{
    text.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return false;
    text = cp932::decodeFile(bytes);
    return true;
}

bool writeTextFile(const QString& path, const QString& text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(cp932::encodeFile(text));
    return file.commit();
}

}  // namespace platform
