#include "convert/param_dev_cycle_converter.h"

#include <algorithm>
#include <cmath>

#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/device_v7.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

// A positive real setting; kMsgAttributeNotSpecified when absent, kMsgIncorrectValueType when it is not a positive
// number (it would divide by zero).
double PositiveSetting(CNodeAttrInfoXML& attribute) {
  const std::optional<double> value = ParseRealText(attribute.GetValue(CIndexList()));
  if (!value || *value <= 0) ThrowMessage(kMsgIncorrectValueType, attribute.GetFullPath());
  return *value;
}

double RoundTo(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::round(value * scale) / scale;
}

}  // namespace

int64_t CParamDevCycleConverter::CyclesFromTime(double ms, int64_t minimum) const {
  return std::max<int64_t>(minimum, std::llround(ms / cycle_ms_));
}

int64_t CParamDevCycleConverter::TimeFromCycles(int64_t cycles) const {
  return std::llround(static_cast<double>(cycles) * cycle_ms_);
}

int64_t CParamDevCycleConverter::SnapTime(double ms, int64_t minimum) const {
  return TimeFromCycles(CyclesFromTime(ms, minimum));
}

double CParamDevCycleConverter::SnapFrequency(double hz, bool up) const {
  const double lines = up ? std::ceil(hz / line_hz_) : std::floor(hz / line_hz_);
  return RoundTo(lines * line_hz_, 3);
}

bool CParamDevCycleConverterV7::HasCycleSettings(CNodeTag_VRK_DeviceV7& root) {
  return root.VibroChannels.wave_settings.fmax.FindValue({}).has_value();
}

bool CParamDevCycleConverterV7::HasLineSettings(CNodeTag_VRK_DeviceV7& root) {
  return HasCycleSettings(root) && root.VibroChannels.spectrum_settings.lines.FindValue({}).has_value();
}

void CParamDevCycleConverterV7::InitCycle(CNodeTag_VRK_DeviceV7& root) {
  cycle_ms_ = 800.0 / PositiveSetting(root.VibroChannels.wave_settings.fmax) * 1000.0;
}

void CParamDevCycleConverterV7::InitLines(CNodeTag_VRK_DeviceV7& root) {
  line_hz_ = PositiveSetting(root.VibroChannels.wave_settings.fmax) /
             PositiveSetting(root.VibroChannels.spectrum_settings.lines);
}

}  // namespace vrk
