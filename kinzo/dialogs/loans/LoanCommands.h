#pragma once
// Registers the main window's loan check (F6) and loan settings commands.
void RegisterLoanCommands();
