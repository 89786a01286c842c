// The normalisation of the sections every version shares.
#include "schema/common_normalisation.h"

#include <optional>

#include "schema/attribute_values.h"
#include "schema/device_constants.h"
#include "schema/device_root.h"
#include "schema/tacho_channels.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

// Multiplies a present numeric value by 60 (revolutions per second to per minute), written without decimals.
void ScaleBySixty(CNodeAttrInfoXML& attribute, const CIndexList& indexes) {
  const std::optional<std::string> text = attribute.FindValue(indexes);
  if (!text) return;
  const std::optional<double> value = ParseRealText(*text);
  if (value) attribute.SetValue(FormatRealText(*value * 60, 0), indexes, false);
}

void ConvertTachoChannelToPerMinute(CTachoChannels::CTachoChannel& tacho, const CIndexList& channel) {
  ScaleBySixty(tacho.minvalue, channel);
  ScaleBySixty(tacho.maxvalue, channel);
  ScaleBySixty(tacho.start_stop_region.start_level, channel);
  ScaleBySixty(tacho.start_stop_region.stop_level, channel);
  tacho.unit.SetValue(std::to_string(kTachoUnitPerMinute), channel, false);
  for (CNodeTagInfoXML* region : {static_cast<CNodeTagInfoXML*>(&tacho.abs_level_region),
                                  static_cast<CNodeTagInfoXML*>(&tacho.rel_level_region),
                                  static_cast<CNodeTagInfoXML*>(&tacho.rel_percent_region)})
    for (CNodeAttrInfoXML* level : region->attributes()) ScaleBySixty(*level, channel);
}

}  // namespace

void NormalizeCommonSections(CNodeTag_VRK_Device& root) {
  root.Header.profibus_address.RemoveValue({});
  root.Header.baudrate.RemoveValue({});

  auto& tacho = root.TachoChannels.TachoChannel;
  const uint32_t channels = tacho.CountNodes({});
  for (uint32_t k = 0; k < channels; ++k) {
    const CIndexList channel{{false, k}};
    if (!tacho.number.FindValue(channel)) continue;
    if (IntegerAt(tacho.unit, channel) == kTachoUnitPerSecond) ConvertTachoChannelToPerMinute(tacho, channel);
  }
}

}  // namespace vrk
