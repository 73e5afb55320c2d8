// String resources of the running program.
#pragma once

#include <optional>
#include <string>

#include "platform/win32.h"

// The program's string resource `id`, or nothing when it has none.
std::optional<std::string> ProgramString(UINT id);
