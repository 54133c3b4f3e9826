#pragma once
// Makes the ledger views known to the main window (CViewRegistry.h): the
// one-day list for form 101. The program calls this once at start-up.

void RegisterLedgerViews();
