#pragma once
// The command numbers of the cash book's menus, function keys and buttons.
// The main window's menus, the views and the dialogs all refer to commands by
// these numbers; the menu texts and status-bar prompts stand in CommandTable.

enum KinzoCommand : int {
    // File
    CmdFileNew = 57600,
    CmdFileOpen = 57601,
    CmdFileSaveAsMenu = 33025,      // re-issued as CmdFileSaveAs
    CmdFileSave = 57603,            // standard toolbar button; the cash book saves every change at once
    CmdFileSaveAs = 57604,
    CmdFileDelete = 32971,
    CmdBackup = 32972,
    CmdConvertVersion1 = 33008,
    CmdImportCsv = 33004,
    CmdImportAccountTable = 33066,
    CmdExportCsv = 33033,
    CmdPrintSetup = 57606,
    CmdPrint = 57607,
    CmdFileInfo = 32974,
    CmdRecentFile1 = 57616,         // to 57631
    CmdAppExit = 57665,
    // Edit
    CmdCut = 57635,                 // standard toolbar button without an action here
    CmdCopy = 57634,
    CmdCopyWithNames = 32890,
    CmdCopyRecord = 32889,
    CmdPaste = 57637,
    // Data
    CmdEntryNew = 32786,
    CmdEntryChange = 32788,
    CmdEntryDelete = 32787,
    CmdToday = 32896,
    CmdPrevious = 32809,
    CmdNext = 32810,
    CmdGoToDay = 32902,
    CmdGoToMonth = 32903,
    CmdGoToYear = 32905,
    CmdPreviousDateWithData = 32954,
    CmdNextDateWithData = 32955,
    CmdSearch = 32897,
    CmdRangeDelete = 33062,
    // View
    CmdYearsView = 32813,
    CmdYearView = 32794,
    CmdMonthView = 32793,
    CmdListView = 32792,
    CmdSelectAccount = 33046,
    CmdExpandSides = 32943,
    CmdExpandLevel1 = 32944,
    CmdExpandLevel2 = 32945,
    CmdExpandLevel3 = 32946,
    CmdHideZeroAccounts = 33042,
    // Guide
    CmdMoveMode = 33060,
    CmdDefaultColumnWidths = 33024,
    CmdTableCsv = 33034,
    CmdReadDataOnly = 32981,
    CmdReadWithNames = 32980,
    CmdZoomIn = 32852,
    CmdZoomOut = 32853,
    CmdZoomDefault = 32856,
    CmdFontSizeFirst = 1031,        // one per font size, to CmdFontSizeLast
    CmdFontSizeLast = 1051,
    // Options
    CmdPaymentCheck = 32913,
    CmdLoanCheck = 32912,
    CmdPaymentSettings = 32914,
    CmdLoanSettings = 32984,
    CmdGeneralSettings = 32881,
    CmdColorSettings = 32879,
    CmdCounterpartySettings = 32785,
    CmdAccountSettings = 32777,
    CmdStartMonth = 33022,
    CmdPasswordSetOrClear = 32964,
    CmdPasswordChange = 32963,
    // Help
    CmdManual = 32976,
    CmdAbout = 57664,
    CmdCalculator = 32996,
};
