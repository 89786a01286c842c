// The measuring range of a vibration parameter: what its sensor (sensitivity, offset, linearisation table) lets
// it measure. It bounds the parameter's own minvalue and maxvalue.
#pragma once

#include <utility>

#include "schema/index_list.h"

namespace vrk {

class CNodeTag_VRK_DeviceV7;
class CNodeTagInfoXML;

// The open upper end of a range.
inline constexpr double kOpenRange = 1e9;

// (minimum, maximum) of parameter element `parameter` (Average, Peak, PeakPeak, WaveRMS, Crest, an absolute or a
// relative band) at `indexes` (the channel, then the band). Reads the document only. Throws CConvException:
// 121 when the Average's trn_offset is missing, 103 when a value is not a real.
std::pair<double, double> GetParamRange(CNodeTag_VRK_DeviceV7& root, CNodeTagInfoXML& parameter,
                                        const CIndexList& indexes);

}  // namespace vrk
