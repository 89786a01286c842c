// Loading a configuration from XML: parsing, selecting the schema version, and the whole-configuration passes
// that a loaded document goes through before it is held.
#pragma once

#include <memory>
#include <string_view>

#include "schema/device_v7.h"

namespace vrk {

// A version-7 root on the document that `text` holds; documents of versions 1, 2, 3 and 6 are read and checked with
// their own schema (version 3 with that of version 6), then upgraded. Throws CConvException: kMsgDocumentLoadingError
// with the parse position, kMsgNoRootTag without a root element, kMsgVersionNotSupported for any other version, and the
// schema's errors.
std::unique_ptr<CNodeTag_VRK_DeviceV7> ImportXmlText(std::u16string_view text, bool imperial);

// The passes every loaded root goes through: its version's normalisation and completion, then the check of the
// whole configuration (values only with `check_values`). Throws the schema's errors.
void FinishLoad(CNodeTag_VRK_Device& root, bool check_values);

// A version-7 root on the embedded default configuration. Throws kMsgDefaultNotFound, kMsgDefaultLoadingError or
// kMsgDefaultNoRoot.
std::unique_ptr<CNodeTag_VRK_DeviceV7> CreateDefaultConfiguration(bool imperial);
// The same before the load passes: the embedded document as parsed, for an import that overwrites it and then
// runs the passes on the result (they leave the embedded document as it is).
std::unique_ptr<CNodeTag_VRK_DeviceV7> ParseDefaultConfiguration(bool imperial);

}  // namespace vrk
