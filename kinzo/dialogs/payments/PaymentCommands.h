#pragma once
// Registers the main window's payment check command (F5).
void RegisterPaymentCommands();
