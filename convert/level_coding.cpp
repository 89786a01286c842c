#include "convert/level_coding.h"

#include <algorithm>
#include <cmath>

#include "schema/channel_parameters.h"
#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/attribute_values.h"
#include "schema/channel_references.h"
#include "schema/device_v7.h"

namespace vrk {
namespace {

[[noreturn]] void ThrowNoTarget(const CNodeTagInfoXML& reference, const CNodeTagInfoXML& target) {
  ThrowMessageArgs(kMsgReferenceMissing, {reference.GetFullPath(), target.GetFullPath()}, reference.GetFullPath());
}

PhysicalRange RangeOf(CNodeAttrInfoXML& minimum, CNodeAttrInfoXML& maximum, const CIndexList& at) {
  return {ReadReal(minimum, at), ReadReal(maximum, at)};
}

}  // namespace

uint16_t EncodeLevel(double value, PhysicalRange range, LevelScale scale) {
  if (range.max == range.min) return static_cast<uint16_t>(std::clamp(scale.lo, 0.0, 65535.0));
  const double coded = scale.lo + (value - range.min) * (scale.hi - scale.lo) / (range.max - range.min);
  return static_cast<uint16_t>(std::clamp(std::round(coded), 0.0, 65535.0));
}

double DecodeLevel(uint16_t code, PhysicalRange range, LevelScale scale) {
  if (scale.hi == scale.lo) return range.min;
  return range.min + (code - scale.lo) * (range.max - range.min) / (scale.hi - scale.lo);
}

PhysicalRange LevelRegionRange(const CNodeTagInfoXML& region, PhysicalRange own) {
  if (dynamic_cast<const CNodeTagBandsContainer::Cabs_level_region*>(&region)) return own;
  if (dynamic_cast<const CNodeTagBandsContainer::Crel_percent_region*>(&region)) return kPercentRange;
  throw CConvException("ERROR", region.GetFullPath());
}

LevelScale TransferScale(CNodeTag_VRK_Device& root) {
  return {static_cast<double>(ReadU16(root.Data_transfer_settings.param_min_int, {})),
          static_cast<double>(ReadU16(root.Data_transfer_settings.param_max_int, {}))};
}

PhysicalRange ReferencedRange(CNodeTag_VRK_DeviceV7& root, uint32_t channel, uint32_t param,
                              const CNodeTagInfoXML& reference) {
  if (channel >= 1 && channel <= kLastVibrationReference) {
    auto& vibro = root.VibroChannels.VibroChannel;
    const CIndexList at{{true, channel}};
    if (!Exists(vibro, at)) ThrowNoTarget(reference, vibro);
    const auto containers = root.VibroParameterContainers();
    for (const ParamEntry& entry : ChannelParameters(root, at, false)) {
      if (entry.number != param + 1) continue;
      if (entry.kind == kParamPhase) return kPhaseRange;
      CNodeTagBandsContainerV2& container = *containers[entry.kind];
      return RangeOf(container.minvalue, container.maxvalue, entry.indexes);
    }
    ThrowNoTarget(reference, vibro);
  }
  if (channel > kTachoChannelCodeBase && channel < kModbusInputsReference) {
    auto& tacho = root.TachoChannels.TachoChannel;
    const CIndexList at{{true, channel - kTachoChannelCodeBase}};
    if (!Exists(tacho, at)) ThrowNoTarget(reference, tacho);
    return RangeOf(tacho.minvalue, tacho.maxvalue, at);
  }
  auto& input = root.modbus_inputs.Input;
  const CIndexList at{{true, param}};
  if (channel != kModbusInputsReference || !Exists(input, at)) ThrowNoTarget(reference, input);
  return RangeOf(input.MinPhisValue, input.MaxPhisValue, at);
}

LevelCoding SlaveOutputCoding(CNodeTag_VRK_DeviceV7& root, uint32_t output_number, const CNodeTagInfoXML& reference) {
  auto& output = root.Modbus.Slave_outputs.Output;
  const CIndexList at{{true, output_number}};
  if (!Exists(output, at)) ThrowNoTarget(reference, output);
  const LevelScale scale{static_cast<double>(ReadU16(output.Tag.ParamMin, at)),
                         static_cast<double>(ReadU16(output.Tag.ParamMax, at))};
  return {ReferencedRange(root, ReadU32(output.Tag.ChannelNum, at), ReadU32(output.Tag.ParamNum, at), output.Tag),
          scale};
}

}  // namespace vrk
