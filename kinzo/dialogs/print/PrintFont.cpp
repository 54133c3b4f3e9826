#include "kinzo/dialogs/print/PrintFont.h"

#include <QFontDatabase>
#include <QStringList>

using namespace Qt::StringLiterals;

QString InstalledPrintFace(const QString& stored)
{
    const QStringList installed = QFontDatabase::families();
    if (!stored.isEmpty() && installed.contains(stored, Qt::CaseInsensitive)) return stored;
    for (const QString& face : {u"IPAGothic"_s, u"IPAPGothic"_s, u"Noto Sans CJK JP"_s})
        if (installed.contains(face, Qt::CaseInsensitive)) return face;
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    return japanese.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont).family() : japanese.first();
}
