#pragma once
// C-library style number reading used wherever stored text is read as a number
// (settings, holiday file, log parameters): the same leniency everywhere.

#include <QStringView>

namespace platform {

// Reads like atoi: skips leading blanks, takes an optional sign and the digits
// that follow, and stops at the first other character. Text without digits
// gives 0; a value beyond the int range is clamped to it.
int atoiLike(QStringView text);

// Reads like sscanf("%X"): leading blanks, optional "0x", hexadecimal digits.
// Text without digits gives 0; the value is taken modulo 2^32.
unsigned int hexLike(QStringView text);

}  // namespace platform
