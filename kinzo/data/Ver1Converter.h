#pragma once
// Conversion of a first-version ledger (a Paradox table, Ver1Reader.h) into a
// new data file made from the ledger template.

#include "kinzo/data/RowProgress.h"

#include <QString>

class CKinzoDocHost;

// Outcome of ConvertVer1Ledger; the numbers are what the conversion dialog
// compares.
enum class Ver1Result : int {
    Ok = 0,
    TemplateMissing = -1,     // "_kinzoTemplate.kzd" is not in the program folder
    TemplateCopyFailed = -2,  // the destination cannot be written
    ConnectFailed = -3,       // the new data file cannot be opened
    SourceOpenFailed = -4,    // the version-1 file cannot be opened
    HeaderReadFailed = -5,    // it ends before its header does
    BadRecord = -6,           // a record that no ledger line can be
    WriteFailed = -7,         // an account item or entry could not be stored
    Cancelled = -8            // progress answered false; nothing is said
};

// Converts the version-1 file at source into a data file at destination:
// the two roots 収入 and 支出, for every record an entry on the side of its
// amount, booked to the level-1 item of its group with a level-2 item of its
// name below, or to a level-1 item of its name when it has no group.
// Everything is written in one transaction into a file beside the destination
// that replaces it only when all records were converted: after a failure the
// destination is as it was before. Every message goes to the host's Notice;
// count receives the number of records in the new file (0 after a failure).
// progress gets the records done and the count the file's header gives.
// REQUIRES: destination is not the document's open data file.
Ver1Result ConvertVer1Ledger(const QString& source, const QString& destination, CKinzoDocHost& host, int& count,
                             const RowProgress& progress = {});

// Removes what an interrupted conversion left in the folder (the hidden work
// files ".NAME.converting" and their journals). Runs before every conversion
// into the folder and at start-up; only one cash book runs at a time, so no
// conversion can be under way meanwhile.
void RemoveConversionLeftovers(const QString& folder);
