#pragma once
// Makes the ledger views known to the main window (CViewRegistry.h): the
// one-day list (form 101), the month (138), year (139) and years (144)
// views, and the print command of the views' reports (PrintCommand.h).
// The program calls this once at start-up.

void RegisterLedgerViews();
