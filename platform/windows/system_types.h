// The automation platform's types, result codes and interfaces on Windows: the system's own headers, which the
// Linux stand-ins in platform/ mirror name for name.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <cstdint>

// The entry points are exported through the module definition file, not by attribute.
#define VRK_EXPORT extern "C"
