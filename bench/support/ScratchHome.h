#pragma once
// A benchmark's private surroundings: headless, settings in a scratch home,
// its own runtime folder (so a cash book the user runs is never met or
// ended) and a speech transcript there.

#include <QString>

class QTemporaryDir;

namespace bench {

// Sets the environment for the program about to be made; returns the
// transcript's path.
QString UseScratchHome(const QTemporaryDir& home);

}  // namespace bench
