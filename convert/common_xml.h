// The converter family: a small object per configuration version, bound to a root of that version, that knows
// what the generic schema does not: how references to channel parameters are coded and removed, which level
// region is of which kind, how a channel's parameters are numbered, and what goes when a channel or band goes.
// The objects are cheap; callers make one on the stack whenever they need it. Every document change they make
// goes through the descriptors, so it is recorded when the root records.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "schema/index_list.h"

namespace vrk {

class CNodeTag_VRK_Device;
class CNodeTag_VRK_DeviceV7;
class CNodeTagInfoXML;
class CNodeAttrInfoXML;

// A part of a parameter reference that is not compared.
inline constexpr uint32_t kNoReferencePart = 65535;

// What a reference removal looks for. Both parts given: `ChannelNum_ParamNum` = channel x 65536 + parameter.
// Parameter not given: `ChannelNum` = channel. Channel not given: `ParamNum` (modulo 65536) = parameter, among
// the references to vibration channels only (a parameter number means nothing for other channel codes).
// Parameters are counted from 0: the parameter with `number` n is referred to as n - 1.
struct ParamReference {
  uint32_t channel = kNoReferencePart;
  uint32_t parameter = kNoReferencePart;
};

// The sections holding parameter references.
enum ReferenceHolder : uint8_t {
  kCurrentOutputs = 1,
  kMonitoring = 2,
  kSlaveOutputs = 4,
  kAllReferenceHolders = kCurrentOutputs | kMonitoring | kSlaveOutputs,
};

// A value an operation rewrote, for the caller to check like a value set through the interface.
struct WrittenValue {
  CNodeAttrInfoXML* attribute;
  CIndexList indexes;
};

class CCommonXML {
 public:
  explicit CCommonXML(CNodeTag_VRK_Device& root) : root_(root) {}
  CCommonXML(const CCommonXML&) = delete;
  CCommonXML& operator=(const CCommonXML&) = delete;

  // Removes the relative bands of vibration channel `channel` whose shaft is tachometer `tacho` (last band
  // first), then the cut-out entries of the channel's absolute bands that named them. Returns the numbers of
  // the removed parameters (bands and their phases).
  virtual std::vector<uint32_t> RemoveShaftBands(const CIndexList& channel, uint32_t tacho) = 0;
  virtual ~CCommonXML() = default;
  // Vibration channel `channel` is about to go: every reference to it goes.
  virtual void OnVibroChannelRemoved(const CIndexList& channel) = 0;
  // Tachometer channel `tacho` is about to go: the references to it, and (outside the compatibility mode) the
  // relative bands turning with it and their references; in the compatibility mode the references to the
  // parameter numbers reserved for it instead.
  virtual void OnTachoChannelRemoved(uint32_t tacho) = 0;
  // Removes every Modbus slave output whose reference matches one of `references`, then numbers the remaining
  // outputs 1, 2, 3 ... in document order.
  virtual void RemoveSlaveOutputs(const std::vector<ParamReference>& references) = 0;
  // The smallest vibration channel number; 0 when there is no vibration channel.
  virtual uint32_t GetFirstVibroChannelNumber() = 0;
  // 3 for a relative-percentage region, 2 for an absolute-level region, 1 for anything else.
  virtual int GetLevelRegionKind(const CNodeTagInfoXML& region) = 0;
  // Moves every band edge onto the spectral lines of the current settings (absolute bands: low edge down, high
  // edge up; relative bands: bounds to the nearest line). Returns the values it rewrote; nothing without
  // spectrum settings.
  virtual std::vector<WrittenValue> SnapBandFrequencies() = 0;
  // The parameter numbers of channel `channel` that no measured parameter carries (numbers 1 to 31 that are
  // free or carried by phases only), each as number - 1, ascending: references to them monitor nothing.
  virtual std::vector<uint32_t> CheckParamNumbers(const CIndexList& channel) = 0;
  // The numbers 1 to 31 that no parameter of channel `channel` carries, each as number - 1, ascending.
  virtual std::vector<uint32_t> GetFreeParamNumbers(const CIndexList& channel) = 0;

 protected:
  CNodeTag_VRK_Device& root_;
};

class CCommonXMLv7 : public CCommonXML {
 public:
  explicit CCommonXMLv7(CNodeTag_VRK_DeviceV7& root);

  std::vector<uint32_t> RemoveShaftBands(const CIndexList& channel, uint32_t tacho) override;
  void OnVibroChannelRemoved(const CIndexList& channel) override;
  void OnTachoChannelRemoved(uint32_t tacho) override;
  void RemoveSlaveOutputs(const std::vector<ParamReference>& references) override;
  uint32_t GetFirstVibroChannelNumber() override;
  int GetLevelRegionKind(const CNodeTagInfoXML& region) override;
  std::vector<WrittenValue> SnapBandFrequencies() override;
  std::vector<uint32_t> CheckParamNumbers(const CIndexList& channel) override;
  std::vector<uint32_t> GetFreeParamNumbers(const CIndexList& channel) override;

  // Removes every reference in the `holders` sections that matches one of `references`, scanning each list
  // from its last element to its first. A current output or slave output goes with its reference; a
  // monitoring element loses the matching tags and goes when none is left, together with its diagnoses.
  // Monitoring elements and slave outputs are then numbered 1, 2, 3 ... again, and the diagnoses follow the
  // monitoring elements they belong to.
  void RemoveReferences(const std::vector<ParamReference>& references, uint8_t holders = kAllReferenceHolders);
  // Rewrites the references to channel code `channel` whose parameter is a key of `parameters` to the mapped
  // parameter, all at once (a chain 1 -> 2 -> 3 moves each reference one step).
  void RenumberReferences(uint32_t channel, const std::map<uint32_t, uint32_t>& parameters);
  // Rewrites the references to channel code `from` to channel code `to`.
  void RenumberReferenceChannel(uint32_t from, uint32_t to);
  // Numbers the monitoring elements 1, 2, 3 ... in document order (values that fit are not written); the
  // diagnoses of each element take its new number.
  void RenumberMonitoring();
  // Removes the diagnoses of monitoring element `number`.
  void RemoveDiagnosesOf(uint32_t number);

  // The `number` of the vibration channel `channel` selects; null when it has none.
  std::optional<uint32_t> VibroChannelNumber(const CIndexList& channel);
  // The numbers of all vibration channels, in document order.
  std::vector<uint32_t> VibroChannelNumbers();

 private:
  CNodeTag_VRK_DeviceV7& v7_;
};

// Numbers the occurrences of `element` under the parent occurrence `parent` selects 1, 2, 3 ... in document
// order through its key attribute, writing only values that differ. Returns old -> new for the occurrences
// whose old key was a number (the first occurrence of a key wins).
std::map<uint32_t, uint32_t> RenumberKeys(CNodeTagInfoXML& element, const CIndexList& parent);

}  // namespace vrk
