#pragma once
// The manual viewer's command numbers, as its menu has always had them.

enum TebikiCommand : int {
    CmdTebikiExit = 57665,
    CmdTebikiCopy = 57634,
    CmdTebikiFind = 32771,
    CmdTebikiFindNext = 32772,
    CmdTebikiPreviousItem = 32773,
    CmdTebikiNextItem = 32774,
    CmdTebikiReadAll = 32777,
    CmdTebikiReadToCaret = 32775,
    CmdTebikiReadFromCaret = 32776,
    CmdTebikiAbout = 57664,
};
