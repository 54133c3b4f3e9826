#pragma once
// Makes the main window's "年度開始月設定" command known to it.

void RegisterSettingsCommands();
