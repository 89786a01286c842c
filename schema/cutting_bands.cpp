#include "schema/cutting_bands.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editing/undo_operations.h"
#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/device_constants.h"
#include "schema/device_v7.h"

namespace vrk {
namespace {

using CVibroChannel = CVibroChannels::CVibroChannel;
using Ccutting_rel_bands = CVibroChannel::CAbsolute_bands::Cband::Ccutting_rel_bands;

// The `number` texts of the channel's relative bands, in document order; bands without one are left out.
std::vector<std::string> RelativeBandNumbers(CVibroChannel& channel, IndexEntry channel_entry) {
  CVibroChannel::CRelative_bands::Cband& band = channel.Relative_bands.band;
  std::vector<std::string> numbers;
  const uint32_t count = band.CountNodes(CIndexList{channel_entry});
  for (uint32_t i = 0; i < count; ++i) {
    CIndexList indexes{channel_entry, {false, i}};
    const dom::Node node = band.GetNode(indexes, false);
    std::string number;
    if (node && band.number.ReadValue(node, &number)) numbers.push_back(std::move(number));
  }
  return numbers;
}

// Puts a fresh empty element of the same name where `list` stands, recorded as a replacement. The whitespace
// around it stays, so the document keeps its indentation.
void ReplaceByEmpty(CNodeTag_VRK_DeviceV7& root, Ccutting_rel_bands& descriptor, const dom::Node& list) {
  dom::Document document = root.document();
  dom::Node fresh;
  try {
    fresh = document.createElement(list.name());
  } catch (const dom::Error&) {
    ThrowMessage(kMsgTagCreationError, descriptor.GetFullPath());
  }
  dom::Node parent = list.parent();
  parent.replaceChild(fresh, list);
  root.Record<CUndoXMLNodeReplace>(&descriptor, list, fresh);
  // Only the list's own descriptors can hold nodes of the replaced list.
  descriptor.ResetNodeCache();
}

}  // namespace

void RegenerateCuttingBands(CNodeTag_VRK_DeviceV7& root) {
  CVibroChannel& channel = root.VibroChannels.VibroChannel;
  CVibroChannel::CAbsolute_bands::Cband& band = channel.Absolute_bands.band;
  Ccutting_rel_bands& cutting = band.cutting_rel_bands;

  for (uint32_t number = 1; number <= kVibrationChannelCount; ++number) {
    const IndexEntry channel_entry{true, number};
    CIndexList channel_indexes{channel_entry};
    if (!channel.GetNode(channel_indexes, false)) continue;

    std::optional<std::vector<std::string>> relative_numbers;  // read once, when the first list needs it
    const uint32_t bands = band.CountNodes(CIndexList{channel_entry});
    for (uint32_t j = 0; j < bands; ++j) {
      const CIndexList band_indexes{channel_entry, {false, j}};
      CIndexList lookup = band_indexes;
      const dom::Node list = cutting.GetNode(lookup, false);
      if (!list) continue;
      if (!relative_numbers) relative_numbers = RelativeBandNumbers(channel, channel_entry);
      ReplaceByEmpty(root, cutting, list);
      // Entries by position, so that the list follows the relative bands' document order (creation by key
      // would sort it) and creation indents each entry.
      for (uint32_t i = 0; i < relative_numbers->size(); ++i)
        cutting.cutting_band.number.SetValue((*relative_numbers)[i],
                                             CIndexList{channel_entry, {false, j}, {false, i}}, false);
    }
  }
}

}  // namespace vrk
