#pragma once
// Makes the main window's whole-file commands known to it: export, CSV
// import, backup, version-1 conversion, file information and "データの一括削除".

void RegisterTransferCommands();
