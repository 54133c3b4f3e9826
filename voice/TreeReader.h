#pragma once
// Who speaks what when a screen reader that reads the accessible tree aloud
// (Orca) runs beside our voice. The user must hear each event once:
//
// - Arrivals are the reader's. A window or dialog opening, the focus reaching
//   a standard control (edit field, combo box, button, check box, list, text
//   pane, focusable label) and a message box: the reader names them from the
//   tree, with their role and value, so our voice says nothing there.
// - What we draw ourselves is ours. The grid's cells and every move in them,
//   and the words a command answers with (a view's title and date on a
//   change, "登録しました", counts, refusals). The tree keeps naming those
//   cells for the reader's review commands, but hands it no focus change that
//   would make it say them again.
//
// Without such a reader our voice speaks arrivals too, as it always has.
// The answer is refreshed at most once a second, so a reader started or quit
// while the program runs is noticed.

#include "VoiceExport.h"

// True while a screen reader that reads the accessible tree aloud runs in
// this desktop session (the same session bus, or the same display).
VOICE_EXPORT bool TreeReaderSpeaksArrivals();
