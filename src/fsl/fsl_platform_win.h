// The association lookup's platform over the real kernel32 calls.
#pragma once

#include "fsl/fsl_platform.h"

// The process's one Windows platform object (stateless; lives for the whole run).
FslPlatform& WindowsFslPlatform();
