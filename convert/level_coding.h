// Level coding: how threshold levels, start/stop speeds and test values are put on the device's integer scale,
// and which physical range a value is measured against.
#pragma once

#include <cstdint>

namespace vrk {

class CNodeTag_VRK_Device;
class CNodeTag_VRK_DeviceV7;
class CNodeTagInfoXML;

// The integer scale [lo, hi] the device stores values on.
struct LevelScale {
  double lo = 0;
  double hi = 0;
};

// The physical values [min, max] that the ends of the scale stand for.
struct PhysicalRange {
  double min = 0;
  double max = 0;
};

// The physical range a phase is measured on.
inline constexpr PhysicalRange kPhaseRange{0, 360};
// The physical range of a relative-percent level.
inline constexpr PhysicalRange kPercentRange{0, 100};

// round(lo + (value - min) x (hi - lo) / (max - min)), halves away from zero, kept within 0..65535: a hysteresis
// band may reach past the ends of the range. A range without width codes every value as lo.
uint16_t EncodeLevel(double value, PhysicalRange range, LevelScale scale);
// min + (code - lo) x (max - min) / (hi - lo); a scale without width decodes every code as min.
double DecodeLevel(uint16_t code, PhysicalRange range, LevelScale scale);

// The range the levels of `region` are coded on: for an absolute level region the range of the parameter that
// owns it (`own`), for a relative-percent region 0..100. Throws CConvException "ERROR" for another region.
PhysicalRange LevelRegionRange(const CNodeTagInfoXML& region, PhysicalRange own);

// The scale of the configuration's Data_transfer_settings. Throws as ReadU16.
LevelScale TransferScale(CNodeTag_VRK_Device& root);

// The physical range of the parameter a reference (ChannelNum, ParamNum) names: a vibration channel's parameter
// whose number - 1 is `param` (its minvalue..maxvalue, 0..360 for a phase), a tacho channel's minvalue..maxvalue,
// or the MinPhisValue..MaxPhisValue of the Modbus input numbered `param`. Throws CConvException
// kMsgReferenceMissing naming `reference` when there is no such parameter, and as ReadReal for its values.
PhysicalRange ReferencedRange(CNodeTag_VRK_DeviceV7& root, uint32_t channel, uint32_t param,
                              const CNodeTagInfoXML& reference);

// How a value forced onto a Modbus slave output is coded: on the output's integer range ParamMin..ParamMax, with
// the physical range of the parameter the output publishes.
struct LevelCoding {
  PhysicalRange range;
  LevelScale scale;
};

// The coding of slave output `output_number`. Throws CConvException kMsgReferenceMissing naming `reference` when
// the output does not exist, and as ReferencedRange and ReadU16.
LevelCoding SlaveOutputCoding(CNodeTag_VRK_DeviceV7& root, uint32_t output_number, const CNodeTagInfoXML& reference);

}  // namespace vrk
