#pragma once
// Makes the main window's commands that open dialogs of this library known
// to it (CMainFrame::RegisterCommand): "日指定", "月指定", "年指定", the
// whole-file commands and the start month. The
// program calls this once at start-up, before the window is made.

void RegisterDialogCommands();
