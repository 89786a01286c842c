// The sections that the importers of every image version read alike: the configuration header, the tachometer
// channels, the code table, and the records of list tags that may be absent.
#pragma once

#include <vector>

#include "bin/tag_tree_v1.h"
#include "convert/level_coding.h"

namespace vrk {

class CNodeTag_VRK_Device;
class CThresholdReader;

// The records of a list tag; none when the tag is absent (its default records carry nothing).
template <class LIST>
const std::vector<typename LIST::RecordType>& RecordsOf(const LIST& list) {
  static const std::vector<typename LIST::RecordType> kNone;
  return list.IsPresent() ? list.Records() : kNone;
}

// The image's code table; the constant one when the image has none.
bin::CODETABLE CodeTableOf(const bin::CTagBIN_CTAB& ctab);

// "CFGH": the description text names the device in its first characters and its serial number in its last ones;
// then the hardware and software versions.
void ReadConfigHeader(CNodeTag_VRK_Device& root, const bin::CONFIGHEADER& record);

// "DISC", one tachometer channel per record: speeds stored per second come back per minute, and the start and
// stop levels and the channel's threshold region are decoded on that range with `scale`.
void ReadTachoChannels(CNodeTag_VRK_Device& root, const bin::CTagBIN_DISC& disc, CThresholdReader& thresholds,
                       LevelScale scale);

}  // namespace vrk
