#pragma once
// The recently used paths of the export, import and backup dialogs, newest
// first: the chosen path moves to the top (a typed one is added there unless
// the list holds it), and the list keeps at most `most` entries.

#include <QStringList>

void PutPathOnTop(QStringList& history, const QString& path, int selectedIndex, int most);
