#pragma once
// The main window's print command ("印刷", Ctrl+P): the print dialog opens on
// the report of the active view with that view's period. Also installs the
// builder of the report grids for the print dialogs. The program calls this
// once at start-up, before the window is made.

void RegisterPrintCommand();
