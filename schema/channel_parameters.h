// The parameters of one vibration channel: its five overall values, absolute bands, relative bands and their
// phases, each with a number from 1 to 31 that the device and the references use.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/dom/dom.h"
#include "schema/index_list.h"

namespace vrk {

class CNodeTag_VRK_DeviceV7;
class CNodeTagInfoXML;
class CNodeAttrInfoXML;

enum ParamKind : uint8_t {
  kParamAverage = 0,
  kParamPeak = 1,
  kParamPeakPeak = 2,
  kParamWaveRMS = 3,
  kParamCrest = 4,
  kParamAbsoluteBand = 5,
  kParamRelativeBand = 6,
  kParamPhase = 7,
};

struct ParamEntry {
  ParamKind kind;
  CIndexList indexes;  // selects the parameter's element
  uint16_t number;     // 0 when the element has no readable number
  CNodeTagInfoXML* element;
  CNodeAttrInfoXML* number_attribute;
  dom::Node node;      // the parameter's element, as `indexes` selects it
};

// The parameters of the channel `channel` selects, in visiting order: Average, Peak, PeakPeak, WaveRMS, Crest
// when present, absolute bands, then relative bands each followed by its phase. With `sort` they are ordered by
// number, equal numbers keeping their visiting order.
std::vector<ParamEntry> ChannelParameters(CNodeTag_VRK_DeviceV7& root, const CIndexList& channel, bool sort);

// The numbers 1 to 31 that no parameter of the channel carries, each as number - 1, ascending.
std::vector<uint32_t> GetFreeParamNumbers(CNodeTag_VRK_DeviceV7& root, const CIndexList& channel);

}  // namespace vrk
