#pragma once
// Makes the main window's "年度開始月設定" and "一般設定" commands known to it.

void RegisterSettingsCommands();
