#pragma once
// Registers the main window's "科目設定" command.

void RegisterAccountCommands();
