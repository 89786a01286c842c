// Vibration channels: waveform and spectrum settings, channels, measured values and bands.
#pragma once

#include "schema/node_info.h"

namespace vrk {

class CVibroChannels : public CNodeTagInfoXMLv7 {
 public:
  CVibroChannels() : CNodeTagInfoXMLv7("VibroChannels", true, false) {}
};

}  // namespace vrk
