#pragma once
// Registers the main window's "検索" command: the search dialog on the open
// data file.

void RegisterSearchCommands();
