// The upgrade chain: a root of version 1, 2, 3 or 6 is carried step by step up to version 7. Each step builds
// the root of the next version on a copy of the document it is given and converts it there; the intermediate
// roots are locals of the chain and are gone when it returns.
#pragma once

#include "schema/device_v1.h"
#include "schema/device_v6.h"

namespace vrk {

// The single steps. `to` is a fresh root of the next version with no document of its own needed: each step
// attaches a copy of `from`'s document to it and rewrites what the two versions store differently; nothing is
// validated. The version-1 step maps the version-1 vibration channels onto the version-2 layout (see its file).
void UpgradeVersion1To2(CNodeTag_VRK_DeviceV1& from, CNodeTag_VRK_DeviceV2& to);
void UpgradeVersion2To3(CNodeTag_VRK_DeviceV2& from, CNodeTag_VRK_DeviceV3& to);
void UpgradeVersion3To6(CNodeTag_VRK_DeviceV3& from, CNodeTag_VRK_DeviceV6& to);
void UpgradeVersion6To7(CNodeTag_VRK_DeviceV6& from, CNodeTag_VRK_DeviceV7& to);

// The chain from a root of each older version into `target`, the version-7 root that will be held. The
// intermediate roots get `target`'s imperial-units flag.
void UpgradeToVersion7(CNodeTag_VRK_DeviceV1& from, CNodeTag_VRK_DeviceV7& target);
void UpgradeToVersion7(CNodeTag_VRK_DeviceV2& from, CNodeTag_VRK_DeviceV7& target);
void UpgradeToVersion7(CNodeTag_VRK_DeviceV3& from, CNodeTag_VRK_DeviceV7& target);
void UpgradeToVersion7(CNodeTag_VRK_DeviceV6& from, CNodeTag_VRK_DeviceV7& target);

// The chain from `from`, whose version its class tells (1, 2, 3 or 6), into `target`. Throws CConvException
// kMsgVersionNotSupported for a root of version 7 or of no known version.
void UpgradeAnyToVersion7(CNodeTag_VRK_Device& from, CNodeTag_VRK_DeviceV7& target);

// A copy of `document` that shares no node with it.
dom::Document CopyDocument(const dom::Document& document);

}  // namespace vrk
