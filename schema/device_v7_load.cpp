// The passes a freshly loaded version-7 document goes through: normalisation of older conventions, and the
// compatibility mode that the document's parameter layout implies.
#include <cmath>
#include <optional>

#include "schema/channel_parameters.h"
#include "schema/attribute_values.h"
#include "schema/common_normalisation.h"
#include "schema/device_v7.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

// Whether the channel's parameters have the fixed layout of the compatibility mode: Average 1, PeakPeak 2, one
// absolute band 3, then per existing tachometer channel t of 1..3 four relative bands 4t+4..4t+7 on shaft t with
// factors 0.5, 1, 2, 3, and after them phases only.
bool HasCompatibilityLayout(CNodeTag_VRK_DeviceV7& root, const CIndexList& channel) {
  const std::vector<ParamEntry> parameters = ChannelParameters(root, channel, true);
  const ParamKind head[] = {kParamAverage, kParamPeakPeak, kParamAbsoluteBand};
  std::size_t i = 0;
  for (; i < 3; ++i)
    if (i >= parameters.size() || parameters[i].kind != head[i] || parameters[i].number != i + 1) return false;
  auto& band = root.VibroChannels.VibroChannel.Relative_bands.band;
  const double factors[] = {0.5, 1, 2, 3};
  for (uint32_t t = 1; t <= 3; ++t) {
    CIndexList tacho{{true, t}};
    if (!root.TachoChannels.TachoChannel.GetNode(tacho, false)) continue;
    for (uint32_t k = 0; k < 4; ++k, ++i) {
      if (i >= parameters.size() || parameters[i].kind != kParamRelativeBand || parameters[i].number != 4 * t + 4 + k)
        return false;
      const CIndexList& at = parameters[i].indexes;
      if (IntegerAt(band.shaft, at) != t || RealAt(band.factor, at) != factors[k]) return false;
    }
  }
  for (; i < parameters.size(); ++i)
    if (parameters[i].kind != kParamPhase) return false;
  return true;
}

}  // namespace

void CNodeTag_VRK_DeviceV7::NormalizeLoaded() {
  NormalizeCommonSections(*this);
  for (CNodeAttrInfoXML* delay : {static_cast<CNodeAttrInfoXML*>(&Relay.WarningDelay.On_ms),
                                  static_cast<CNodeAttrInfoXML*>(&Relay.WarningDelay.Off_ms),
                                  static_cast<CNodeAttrInfoXML*>(&Relay.AlarmDelay.On_ms),
                                  static_cast<CNodeAttrInfoXML*>(&Relay.AlarmDelay.Off_ms)})
    if (!delay->FindValue({})) delay->SetValue("0", {}, false);
}

void CNodeTag_VRK_DeviceV7::CompleteLoaded() {
  const uint32_t channels = VibroChannels.VibroChannel.CountNodes({});
  bool compatible = channels > 0;
  for (uint32_t k = 0; k < channels && compatible; ++k)
    compatible = HasCompatibilityLayout(*this, CIndexList{{false, k}});
  SetCompatibilityScada21(compatible);
}

}  // namespace vrk
