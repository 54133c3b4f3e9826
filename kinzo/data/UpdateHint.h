#pragma once
// The numbers the document sends to every view after shared data changed,
// with the object that goes with some of them (UpdateAllViews of CKinzoDoc).
// Views compare these values; they are fixed.

enum class UpdateHint : int {
    None = 0,
    EntryAdded = 0x401,          // object: the entry or its ID
    EntryDeleted = 0x402,        // object: the entry or its ID
    EntryChanged = 0x403,        // object: the entry or its ID
    DataChanged = 0x404,         // data or general settings changed
    ColorsChanged = 0x405,
    FontSizeChanged = 0x406,     // object: the zoom factor (double)
    FileDeleted = 0x420,         // the data file was deleted; no file is open
    AccountTreeEdited = 0x421,
    StartMonthChanged = 0x422,   // fiscal start month
    AccountTreeReloaded = 0x423  // after another program changed the account table
};
