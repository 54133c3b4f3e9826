#pragma once
// Whether a program with windows can start here at all: a desktop session
// names its display; a headless run names a platform plugin instead.

#include <QString>

// True when a display or a Qt platform plugin has been named. Call before the
// application object is made: without a display Qt would end the process.
bool KoHasDisplay();

// What to tell the user who started a program without a display.
QString KoNoDisplayAdvice(const QString& programPath);
