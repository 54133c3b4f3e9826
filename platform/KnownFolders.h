#pragma once
// Folders the operating system names for the user.

#include <QString>

namespace platform {

// The user's documents folder (XDG_DOCUMENTS_DIR, else ~/Documents), without a
// trailing separator. Empty when the system names none.
QString documentsFolder();

}  // namespace platform
