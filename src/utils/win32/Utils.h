// The unit Utils: processes, pipes, line reading, and the registry and
// environment queries about this node and the primary node.
#pragma once

#include "utils/Errors.h"
#include "utils/NodeInfo.h"
#include "utils/win32/Handles.h"
#include "utils/win32/OSError.h"
#include "utils/win32/PipeStream.h"
#include "utils/win32/Processes.h"
#include "utils/win32/RestartRegistration.h"
#include "utils/win32/Stream.h"
#include "utils/win32/SystemInfo.h"
#include "utils/win32/Win32Registry.h"

#include <windows.h>

#include <string>
