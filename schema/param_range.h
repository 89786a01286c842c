// The measuring range of a vibration parameter: what its sensor (sensitivity, offset, linearisation table) lets
// it measure. It bounds the parameter's own minvalue and maxvalue.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <utility>
#include <vector>

#include "schema/index_list.h"

namespace vrk {

class CNodeTag_VRK_DeviceV7;
class CNodeTagInfoXML;

// The open upper end of a range.
inline constexpr double kOpenRange = 1e9;

// The sensor values of vibration channels that measuring ranges derive from, read once per channel during one
// check pass: every parameter and band of a channel has its limits checked against the same sensor.
class CSensorRanges {
 public:
  struct Channel {
    bool sensitivity_read = false;
    std::optional<double> sensitivity;  // trn_sens; null when absent
    bool span_read = false;
    uint32_t points = 0;  // linearisation points; low and high are the extremes of their values
    double low = 0;
    double high = 0;
  };

  // The entry of the channel `channel` selects (its first index entry) in check pass `pass`; entries of an
  // earlier pass are forgotten. Null outside a pass (`pass` 0). Entries stay put while the pass lasts.
  Channel* Find(uint64_t pass, const CIndexList& channel);

  // The measuring range last computed in pass `pass` for `parameter` at `indexes`, or null: a parameter's
  // minvalue and maxvalue are checked one after the other and ask for the same range.
  const std::pair<double, double>* LastRange(uint64_t pass, const CNodeTagInfoXML& parameter,
                                             const CIndexList& indexes) const;
  void RememberRange(uint64_t pass, const CNodeTagInfoXML& parameter, const CIndexList& indexes,
                     std::pair<double, double> range);

 private:
  void Renew(uint64_t pass);

  uint64_t pass_ = 0;
  std::deque<std::pair<std::optional<IndexEntry>, Channel>> channels_;
  struct Range {
    const CNodeTagInfoXML* parameter = nullptr;  // null: none known
    std::vector<IndexEntry> indexes;
    std::pair<double, double> value;
  };
  Range last_range_;
};

// (minimum, maximum) of parameter element `parameter` (Average, Peak, PeakPeak, WaveRMS, Crest, an absolute or a
// relative band) at `indexes` (the channel, then the band). Reads the document only, the sensor of the channel once per
// check pass. Throws CConvException: kMsgAttributeNotSpecified when the Average's trn_offset is missing,
// kMsgIncorrectValueType when a value is not a real.
std::pair<double, double> GetParamRange(CNodeTag_VRK_DeviceV7& root, CNodeTagInfoXML& parameter,
                                        const CIndexList& indexes);

}  // namespace vrk
