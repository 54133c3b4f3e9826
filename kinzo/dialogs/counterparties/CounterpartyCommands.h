#pragma once
// Registers the main window's "相手先設定" command.

void RegisterCounterpartyCommands();
