#include "editing/parameter_move.h"

#include <algorithm>
#include <string>
#include <vector>

#include "schema/channel_parameters.h"
#include "convert/common_xml.h"
#include "schema/device_v7.h"

namespace vrk {
namespace {

using Unit = std::vector<std::size_t>;  // indexes into the sorted parameter list

bool SameList(const CIndexList& a, const CIndexList& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (!(a[i] == b[i])) return false;
  return true;
}

// The sorted parameters grouped into the units that move together: a relative band directly followed by its
// phase is one unit, every other parameter one of its own.
std::vector<Unit> UnitsOf(const std::vector<ParamEntry>& entries) {
  std::vector<Unit> units;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].kind == kParamRelativeBand && i + 1 < entries.size() && entries[i + 1].kind == kParamPhase &&
        SameList(entries[i].indexes, entries[i + 1].indexes)) {
      units.push_back({i, i + 1});
      ++i;
    } else {
      units.push_back({i});
    }
  }
  return units;
}

dom::Node NodeOf(CNodeTagInfoXML& element, CIndexList indexes) { return element.GetNode(indexes, false); }

// Writes the new numbers and returns what changed. `numbers[i]` is the new number of `entries[i]`.
ParamRenumbering WriteNumbers(const std::vector<ParamEntry>& entries, const std::vector<uint32_t>& numbers) {
  ParamRenumbering renumbering;
  for (std::size_t i = 0; i < entries.size(); ++i) renumbering.emplace(entries[i].number, numbers[i]);
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i].number != numbers[i])
      entries[i].number_attribute->SetValue(std::to_string(numbers[i]), entries[i].indexes, false);
  std::erase_if(renumbering, [](const auto& change) { return change.first == change.second || change.first == 0; });
  return renumbering;
}

// Moves unit `from` of the channel's sorted parameter list to place `to`. The units between the two places
// take the numbers that the range held, consecutively from its lowest, in their new order.
ParamRenumbering MoveUnit(CNodeTag_VRK_DeviceV7& root, const CIndexList& channel, std::size_t from, std::size_t to) {
  const std::vector<ParamEntry> entries = ChannelParameters(root, channel, true);
  const std::vector<Unit> units = UnitsOf(entries);
  if (from >= units.size() || to >= units.size() || from == to) return {};

  std::vector<std::size_t> order(units.size());
  for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
  order.erase(order.begin() + static_cast<std::ptrdiff_t>(from));
  order.insert(order.begin() + static_cast<std::ptrdiff_t>(to), from);

  std::vector<uint32_t> numbers(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) numbers[i] = entries[i].number;
  const std::size_t low = std::min(from, to), high = std::max(from, to);
  uint32_t next = std::max<uint32_t>(1, entries[units[low].front()].number);
  for (std::size_t k = low; k <= high; ++k)
    for (std::size_t entry : units[order[k]]) numbers[entry] = next++;
  return WriteNumbers(entries, numbers);
}

}  // namespace

bool IsParameterContainer(CNodeTag_VRK_DeviceV7& root, const CNodeTagInfoXML& element) {
  for (CNodeTagBandsContainerV2* container : root.VibroParameterContainers())
    if (container == &element) return true;
  return false;
}

ParamRenumbering RenumberChannelParameters(CNodeTag_VRK_DeviceV7& root, const CIndexList& channel) {
  const std::vector<ParamEntry> entries = ChannelParameters(root, channel, true);
  // In the order of the numbers, except that a phase comes right after its band, so that the pair stays linked.
  std::vector<uint32_t> numbers(entries.size());
  uint32_t next = 1;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].kind == kParamPhase) continue;
    numbers[i] = next++;
    if (entries[i].kind != kParamRelativeBand) continue;
    for (std::size_t j = 0; j < entries.size(); ++j)
      if (entries[j].kind == kParamPhase && SameList(entries[j].indexes, entries[i].indexes)) numbers[j] = next++;
  }
  return WriteNumbers(entries, numbers);
}

void FollowRenumbering(CCommonXMLv7& converter, uint32_t channel_number, const ParamRenumbering& renumbering) {
  std::map<uint32_t, uint32_t> references;
  for (const auto& [from, to] : renumbering)
    if (from >= 1 && to >= 1) references.emplace(from - 1, to - 1);
  converter.RenumberReferences(channel_number, references);
}

int32_t MoveParameter(CNodeTag_VRK_DeviceV7& root, bool identical, CNodeTagInfoXML& element, const CIndexList& indexes,
                      int32_t offset) {
  const dom::Node moved = NodeOf(element, indexes);
  if (!moved) return 0;
  const CIndexList channel = indexes.Truncated(1);
  const std::vector<ParamEntry> entries = ChannelParameters(root, channel, true);
  const std::vector<Unit> units = UnitsOf(entries);
  std::size_t from = units.size();
  for (std::size_t k = 0; k < units.size() && from == units.size(); ++k) {
    const ParamEntry& entry = entries[units[k].front()];
    if (entry.element == &element && NodeOf(*entry.element, entry.indexes) == moved) from = k;
  }
  if (from == units.size()) return 0;

  const int64_t last = static_cast<int64_t>(units.size()) - 1;
  const int64_t to = std::clamp<int64_t>(static_cast<int64_t>(from) + offset, 0, last);
  const int32_t applied = static_cast<int32_t>(to - static_cast<int64_t>(from));
  if (applied == 0) return 0;

  CCommonXMLv7 converter(root);
  const std::optional<uint32_t> source = converter.VibroChannelNumber(channel);
  const ParamRenumbering renumbering = MoveUnit(root, channel, from, static_cast<std::size_t>(to));
  if (source) FollowRenumbering(converter, *source, renumbering);
  if (!identical || !source) return applied;

  // The other channels carry the same set: the same unit makes the same move there.
  for (uint32_t number : converter.VibroChannelNumbers()) {
    if (number == *source) continue;
    const CIndexList other{{true, number}};
    const int64_t count = static_cast<int64_t>(UnitsOf(ChannelParameters(root, other, true)).size());
    if (static_cast<int64_t>(from) >= count) continue;
    const int64_t target = std::clamp<int64_t>(static_cast<int64_t>(from) + applied, 0, count - 1);
    FollowRenumbering(converter, number, MoveUnit(root, other, from, static_cast<std::size_t>(target)));
  }
  return applied;
}

}  // namespace vrk
