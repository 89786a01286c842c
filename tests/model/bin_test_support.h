// Helpers of the binary conversion tests: complete version-7 documents built from sections, roots on them, the
// tag tree of an exported image, and a dump of every value of a document for comparisons.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "bin/bin_image.h"
#include "bin/tag_tree_v7.h"
#include "convert/bin_export.h"
#include "convert/xml_import.h"
#include "platform/dom/dom.h"
#include "platform/oleauto.h"
#include "platform/utf.h"
#include "schema/device_v7.h"

namespace vrk::test {

// A test whose messages are compared: the thread's UI language is English while it runs.
class EnglishMessagesTest : public ::testing::Test {
 protected:
  void SetUp() override { SetThreadUILanguage(1033); }
  void TearDown() override { SetThreadUILanguage(0); }
};

// The sections of a document; each defaults to what the default configuration holds (with base_interval_s 0,
// which an image does not carry).
struct Sections {
  std::string cfg = R"(<Cfg CfgId="" DeviceType="1"/>)";
  std::string transfer = R"(<Data_transfer_settings param_min_int="0" param_max_int="65000"/>)";
  std::string region =
      R"(<Region_settings base_interval_s="0" Hysteresis_percent="5" DelayUp_ms="1000" DelayDn_ms="5000"/>)";
  std::string spectrum = R"(<wave_settings samples="8192" fmax="4000" fmin="0"/><spectrum_settings lines="1600"/>)";
  std::string vibro;  // VibroChannel elements
  std::string tacho;  // TachoChannel elements
  std::string monitoring;
  std::string current_outputs;
  std::string modbus =
      R"(<Modbus used="0" type="0" DataValidityTime_s="1" param_min_int="3000" param_max_int="28000">)"
      R"(<RS422 baudrate="19200" databits="4" stopbits="0" parity="0"/><Slave_outputs/><Tables>)"
      R"(<Table type="1" count="0" address="0"/><Table type="2" count="0" address="0"/>)"
      R"(<Table type="3" count="0" address="0"/><Table type="4" count="37" address="0"/></Tables>)"
      R"(<ExchangeCycle/></Modbus>)";
  std::string test =
      R"(<Test used="0" TG0="0" TG1="0" TG2="0" TGE0="0" TGE1="0" TGE2="2" Relay1="0" Relay2="1" Relay3="2")"
      R"( Relay4="2"/>)";
  std::string relay = R"(<Relay><WarningDelay On_ms="0" Off_ms="0"/><AlarmDelay On_ms="0" Off_ms="0"/></Relay>)";
  std::string readiness = R"(<Readiness used="0"/>)";
  std::string black_box = R"(<BlackBox decimation_coeff="0"/>)";
  std::string inputs;  // Input elements
};

inline std::string DocumentXml(const Sections& s) {
  return R"(<VRK-Device><VersionInfo version="7"/>)" + s.cfg +
         R"(<Header device_description="" HW_version="0" SW_version="0.0" serial_number=""/>)" + s.transfer +
         s.region + "<VibroChannels>" + s.spectrum + s.vibro + "</VibroChannels><TachoChannels>" + s.tacho +
         "</TachoChannels><Monitoring>" + s.monitoring + "</Monitoring><current-outputs>" + s.current_outputs +
         "</current-outputs>" + s.modbus + s.black_box + "<Diagnoses/>" + s.test + s.relay +
         s.readiness + "<modbus-inputs>" + s.inputs + "</modbus-inputs></VRK-Device>";
}

// A root on the document as it is, unchecked: the exporter reads whatever the document holds.
inline std::unique_ptr<CNodeTag_VRK_DeviceV7> RootOn(const Sections& sections) {
  auto root = std::make_unique<CNodeTag_VRK_DeviceV7>();
  root->AttachDocument(dom::Document::parseText(Utf8ToUtf16(DocumentXml(sections))));
  return root;
}

// The version-7 tree of an image, read back with its CRC check.
inline std::unique_ptr<bin::CTagBIN_CONFv7> TreeOf(const BinImage& image) {
  auto tree = std::make_unique<bin::CTagBIN_CONFv7>();
  bin::ReadImage(*tree, image.bytes.data(), image.bytes.size());
  return tree;
}

inline std::unique_ptr<bin::CTagBIN_CONFv7> ExportTree(CNodeTag_VRK_DeviceV7& root) {
  return TreeOf(ExportBinImage(root));
}

// "name(children) name ..." of the present tags below and including `tag`.
inline std::string PresentTags(bin::CNodeTagBIN& tag) {
  if (!tag.IsPresent()) return "";
  std::string children;
  tag.VisitChildren([&](bin::CNodeTagBIN& child) {
    const std::string text = PresentTags(child);
    if (!text.empty()) children += (children.empty() ? "" : " ") + text;
  });
  return tag.GetTagName() + (children.empty() ? "" : "(" + children + ")");
}

// One line "path=value" per attribute value of the occurrence `at` of `element` and everything below it, with
// the positions of repeated elements in brackets.
inline void DumpValues(CNodeTagInfoXML& element, const CIndexList& at, const std::string& path,
                       std::vector<std::string>& lines) {
  for (CNodeAttrInfoXML* attribute : element.attributes())
    if (const auto value = attribute->FindValue(at)) lines.push_back(path + "\\" + attribute->name() + "=" + *value);
  for (CNodeTagInfoXML* child : element.children()) {
    if (!child->repeated()) {
      CIndexList lookup = at;
      if (child->GetNode(lookup, false)) DumpValues(*child, at, path + "\\" + child->name(), lines);
      continue;
    }
    const uint32_t count = child->CountNodes(at);
    for (uint32_t k = 0; k < count; ++k) {
      CIndexList child_at = at;
      child_at.PushBack({false, k});
      DumpValues(*child, child_at, path + "\\" + child->name() + "[" + std::to_string(k) + "]", lines);
    }
  }
}

inline std::vector<std::string> AllValues(CNodeTag_VRK_DeviceV7& root) {
  std::vector<std::string> lines;
  DumpValues(root, {}, "", lines);
  return lines;
}

}  // namespace vrk::test
