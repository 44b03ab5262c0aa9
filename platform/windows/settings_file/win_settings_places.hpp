#pragma once

// Whose rights choose where nwmpset.ini lives on Windows.

#include <windows.h>

namespace nwmp::windows {

// A token for access checks with the rights of the user's own programs: the process's token, or
// where the process runs elevated ("Run as administrator"), the user's linked, unelevated one, so
// that an elevated settings tool chooses the file the same user's players use. The caller closes
// it; null when none can be had.
HANDLE openSettingsDecisionToken();

}  // namespace nwmp::windows
