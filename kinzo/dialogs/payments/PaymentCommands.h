#pragma once
// Registers the main window's payment check (F5) and payment settings commands.
void RegisterPaymentCommands();
