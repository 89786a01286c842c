// Loading a configuration from XML: parsing, selecting the schema version, and the whole-configuration passes
// that a loaded document goes through before it is held.
#pragma once

#include <memory>
#include <string_view>

#include "schema/device_v7.h"

namespace vrk {

// A version-7 root on the document that `text` holds; documents of versions 3 and 6 are upgraded. Throws
// CConvException: 110 with the parse position, 114 without a root element, 159 for any other version (1 and 2
// included, which need conversions this component does not carry yet).
std::unique_ptr<CNodeTag_VRK_DeviceV7> ImportXmlText(std::u16string_view text, bool imperial);

// A version-7 root on the embedded default configuration. Throws 105, 106 or 107.
std::unique_ptr<CNodeTag_VRK_DeviceV7> CreateDefaultConfiguration(bool imperial);

}  // namespace vrk
