// CNodeTag_VRK_DeviceV7: the root of a version-7 configuration, the only version that is held and edited.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "schema/device_root.h"
#include "schema/modbus.h"
#include "schema/modbus_inputs.h"
#include "schema/param_range.h"
#include "schema/readiness.h"
#include "schema/relay.h"
#include "schema/test_section.h"
#include "schema/vibro_channels.h"

namespace vrk {

class CNodeTag_VRK_DeviceV7 : public CNodeTag_VRK_Device {
 public:
  using CVibroChannels = vrk::CVibroChannels;
  using CModbus = CNodeTagModbusV7;
  using CReadiness = vrk::CReadiness;
  using CTest = vrk::CTest;
  using CRelay = vrk::CRelay;
  using Cmodbus_inputs = vrk::Cmodbus_inputs;

  CNodeTag_VRK_DeviceV7();

  void RefreshDerivedValues() override;
  void NormalizeLoaded() override;
  void CompleteLoaded() override;
  std::string SnapWrittenValue(CNodeAttrInfoXML& attribute, const std::string& stored,
                               const CIndexList& indexes) override;
  void ArrangeNodeData(CNodeTagInfoXML& element, const CIndexList& indexes) override;
  void CheckNodeRules(CNodeTagInfoXML& element, const CIndexList& indexes, bool full_rules) override;
  void AfterAttributeCheck(CNodeAttrInfoXML& attribute, const CIndexList& indexes) override;
  bool HandleRemovalCheck(CNodeTagInfoXML& element, const CIndexList& indexes) override;
  void CheckLevelLimits(CNodeAttrInfoXML& attribute, const CIndexList& indexes) override;
  void PrepareRanges(CNodeAttrInfoXML& attribute, int reserved, const CIndexList& indexes) override;

  // The seven parameter containers of a vibration channel: Average, Peak, PeakPeak, WaveRMS, Crest, the absolute
  // and the relative band.
  std::array<CNodeTagBandsContainerV2*, 7> VibroParameterContainers();
  // What measuring ranges read of each channel's sensor, kept during a check pass.
  CSensorRanges& sensor_ranges() { return sensor_ranges_; }
  // `value` as a limit text (3 decimals); the texts of the last few values are kept, since the limits of the
  // many parameters of a check repeat.
  const std::string& LimitText(double value);

  // The version's own sections, after the common ones.
  CVibroChannels VibroChannels;
  CModbus Modbus;
  CReadiness Readiness;
  CTest Test;
  CRelay Relay;
  Cmodbus_inputs modbus_inputs;

 private:
  CSensorRanges sensor_ranges_;
  struct LimitTextEntry {
    double value;
    std::string text;
  };
  std::array<std::optional<LimitTextEntry>, 4> limit_texts_;
  std::size_t next_limit_text_ = 0;
};

}  // namespace vrk
