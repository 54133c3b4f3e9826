#pragma once
// The face printing uses for a stored font name: the name itself when the
// face is installed, else a Japanese face this machine has (the Windows
// faces the settings often name are missing here).

#include <QString>

QString InstalledPrintFace(const QString& stored);
