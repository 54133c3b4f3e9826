#include "kinzo/dialogs/transfer/PathHistory.h"

void PutPathOnTop(QStringList& history, const QString& path, int selectedIndex, int most)
{
    if (selectedIndex >= 0 && selectedIndex < history.size() && history[selectedIndex] == path) {
        history.move(selectedIndex, 0);
    } else if (!history.contains(path)) {
        history.prepend(path);
    } else {
        history.move(history.indexOf(path), 0);
    }
    while (history.size() > std::max(1, most)) history.removeLast();
}
