#pragma once
// How long whole-file work (export, import, backup, conversion) tells its caller how far
// it is: now and then the records (or pages) done and the total, on the
// thread doing the work. Returning false stops the work; what it was writing
// is then discarded, as after a failure. A total of 0 means not known
// beforehand. An empty function is never called.

#include <QtGlobal>

#include <functional>

using RowProgress = std::function<bool(qint64 done, qint64 total)>;

// Sent as done, with total 0, once every record is in and the work builds
// what the file derives from them (indexes, totals) before it commits: a
// stage that counts no records, told now and then while it runs.
constexpr qint64 FinishingWork = -1;
