#pragma once
// The display modes of both loan lists ("LoanPaymentDisp"): 1 loans with
// money owed, 2 repaid loans, 3 all. The data layer numbers its selections
// differently; LoanSelection is the one place that maps them.

#include "kinzo/data/CTableLoan.h"

enum LoanListMode { LoanListOwing = 1, LoanListRepaid = 2, LoanListAll = 3 };

// A stored or typed mode outside 1..3 counts as LoanListAll.
inline int ValidLoanListMode(int mode)
{
    return mode >= LoanListOwing && mode <= LoanListAll ? mode : LoanListAll;
}

// The CTableLoan::SelectLoans selection of a list mode.
inline int LoanSelection(int listMode)
{
    switch (listMode) {
    case LoanListOwing: return CTableLoan::SelectOwing;
    case LoanListRepaid: return CTableLoan::SelectRepaid;
    default: return CTableLoan::SelectAll;
    }
}
