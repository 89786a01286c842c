// A failure of a configuration that an upgrade made, told in the terms of the older document the caller gave:
// the version-7 path that a message names is one the caller never wrote.
#pragma once

#include <cstdint>
#include <functional>

#include "interface/conv_exception.h"
#include "schema/device_root.h"

namespace vrk {

// Runs `upgrade` (the upgrade of `older`, a configuration of version `version`, and the checks of its result).
// A CConvException whose detail ends in a descriptor's full path is thrown again with one more line: the path
// of the same value in the older document when it has another one there, or that the older document has no
// such value when its schema has none. Anything else passes unchanged.
void ExplainUpgradeFailure(CNodeTag_VRK_Device& older, uint16_t version, const std::function<void()>& upgrade);

}  // namespace vrk
