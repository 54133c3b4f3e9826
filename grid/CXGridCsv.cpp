#include "CXGridModel.h"

#include "platform/TextFile.h"

using namespace Qt::StringLiterals;

int CXGridModel::WriteCsv(const QString& path) const
{
    QString out;
    for (int r = 0; r < GetRowCount(); ++r) {
        if (m_verticalLayout && !IsRowVisible(r)) continue;
        bool first = true;
        for (int c = 0; c < GetColumnCount(); ++c) {
            if (!IsColumnVisible(c)) continue;
            if (!first) out += u',';
            first = false;
            // Quotes inside a text are doubled, or the file would not read back.
            QString text = GetCellText(r, c);
            text.replace(u'"', u"\"\""_s);
            out += u'"' + text + u'"';
        }
        out += u"\r\n"_s;
    }
    return platform::writeTextFile(path, out) ? 1 : 0;
}
