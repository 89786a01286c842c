// The descriptor tree: path lookup, full paths, index depths, and occurrence selection on a small tree.
#include <gtest/gtest.h>

#include "interface/conv_exception.h"
#include "platform/oleauto.h"
#include "platform/utf.h"
#include "schema/device_v7.h"
#include "schema/path_lookup.h"

namespace vrk {
namespace {

TEST(PathLookup, ElementPathsEndInABackslashAttributePathsInAName) {
  CNodeTag_VRK_DeviceV7 root;
  EXPECT_EQ(FindNodeInfo(root, ""), &root);
  EXPECT_EQ(FindNodeInfo(root, "TachoChannels\\"), &root.TachoChannels);
  EXPECT_EQ(FindNodeInfo(root, "TachoChannels"), nullptr);
  EXPECT_EQ(FindNodeInfo(root, "tachochannels\\TACHOCHANNEL\\"), &root.TachoChannels.TachoChannel);
  EXPECT_EQ(FindNodeInfo(root, "Nothing\\"), nullptr);
  EXPECT_EQ(FindAttrInfo(root, "Cfg\\DeviceType"), &root.Cfg.DeviceType);
  EXPECT_EQ(FindAttrInfo(root, "data_transfer_settings\\PARAM_MIN_INT"), &root.Data_transfer_settings.param_min_int);
  EXPECT_EQ(FindAttrInfo(root, "Cfg\\"), nullptr);
  EXPECT_EQ(FindAttrInfo(root, "Cfg"), nullptr);
  EXPECT_EQ(FindAttrInfo(root, ""), nullptr);
  EXPECT_EQ(FindAttrInfo(root, "TachoChannels\\TachoChannel\\start_stop_region\\stop_level"),
            &root.TachoChannels.TachoChannel.start_stop_region.stop_level);
}

TEST(Descriptors, FullPathsIndexDepthsAndTheSchemaOrderOfChildren) {
  CNodeTag_VRK_DeviceV7 root;
  EXPECT_EQ(root.GetFullPath(), "\\VRK_Device");
  EXPECT_EQ(root.Cfg.DeviceType.GetFullPath(), "\\VRK_Device\\Cfg\\DeviceType");
  EXPECT_EQ(root.GetIndexDepth(), 0u);
  EXPECT_EQ(root.Cfg.GetIndexDepth(), 0u);
  EXPECT_EQ(root.Diagnoses.Element.Diagnose.Criterions.Criterion.GetIndexDepth(), 3u);
  EXPECT_EQ(root.Monitoring.Element.Tag.ChannelNum.GetIndexDepth(), 2u);
  EXPECT_EQ(root.TachoChannels.TachoChannel.abs_level_region.relay.GetIndexDepth(), 1u);
  std::string names;
  for (CNodeTagInfoXML* child : root.children()) names += child->name() + " ";
  EXPECT_EQ(names,
            "VersionInfo Cfg Header Data_transfer_settings Region_settings BlackBox current-outputs Monitoring "
            "Diagnoses TachoChannels VibroChannels Modbus Readiness Test Relay modbus-inputs ");
  std::string regions;
  for (CNodeTagInfoXML* child : root.TachoChannels.TachoChannel.children()) regions += child->name() + " ";
  EXPECT_EQ(regions, "abs_level_region rel_level_region rel_percent_region start_stop_region ");
}

TEST(Descriptors, RootWithoutDocumentFailsWithEmptyMessage) {
  CNodeTag_VRK_DeviceV7 root;
  CIndexList none;
  try {
    root.GetNode(none, false);
    FAIL() << "no exception";
  } catch (const CConvException& e) {
    EXPECT_EQ(e.message(), "");
  }
}

// A root with a repeated element that has no key attribute.
class KeylessRoot : public CNodeTag_VRK_DeviceV7 {
 public:
  class CItem : public CNodeTagInfoXML {
   public:
    VRK_ATTRIBUTE(Cvalue, CNodeAttrInfoXML, "value", false, ValueRange::Unlimited(kTypeText));
    CItem() : CNodeTagInfoXML("Item", false, true) { AddAttributes({&value}); }
    Cvalue value;
  };
  KeylessRoot() {
    AddChildren({&Item});
    FinishTree();
  }
  CItem Item;
};

TEST(Descriptors, KeyEntryOnAKeylessElementIsRefusedAndACachedOccurrenceFollowsItsParent) {
  SetThreadUILanguage(1033);
  KeylessRoot root;
  root.AttachDocument(dom::Document::parseText(u"<VRK_Device><Item value=\"a\"/><Item value=\"b\"/></VRK_Device>"));
  EXPECT_EQ(root.Item.value.GetValue(CIndexList{{false, 1}}), "b");
  try {
    root.Item.value.GetValue(CIndexList{{true, 1}});
    FAIL() << "no exception";
  } catch (const CConvException& e) {
    EXPECT_EQ(e.message(), "The attribute for search of an element is not specified");
    EXPECT_EQ(e.detail(), "\\VRK_Device\\Item");
  }
  CNodeTag_VRK_DeviceV7 device;  // a cached occurrence follows its parent
  device.AttachDocument(dom::Document::parseText(
      u"<VRK_Device><Diagnoses>"
      u"<Element Number=\"1\"><Diagnose Number=\"1\" Description=\"a\"/></Element>"
      u"<Element Number=\"2\"><Diagnose Number=\"1\" Description=\"b\"/></Element>"
      u"</Diagnoses></VRK_Device>"));
  CNodeAttrInfoXML& description = device.Diagnoses.Element.Diagnose.Description;
  EXPECT_EQ(description.GetValue(CIndexList{{true, 1}, {true, 1}}), "a");
  EXPECT_EQ(description.GetValue(CIndexList{{true, 2}, {true, 1}}), "b");
  EXPECT_EQ(description.GetValue(CIndexList{{false, 0}, {false, 0}}), "a");
}

std::vector<IndexEntry> Entries(const CIndexList& list) {
  std::vector<IndexEntry> entries;
  for (std::size_t i = 0; i < list.size(); ++i) entries.push_back(list[i]);
  return entries;
}

TEST(IndexList, KeepsItsEntriesAcrossTheInlineCapacity) {
  CIndexList list{{false, 0}, {true, 1}};
  for (uint32_t v = 2; v < 7; ++v) list.PushBack({false, v});  // past what lives inside the object
  ASSERT_EQ(list.size(), 7u);
  list.SetBack({true, 60});
  const CIndexList copy = list;
  EXPECT_EQ(Entries(copy), Entries(list));
  EXPECT_EQ(copy[6], (IndexEntry{true, 60}));
  for (int k = 0; k < 4; ++k) list.PopBack();  // back inside
  EXPECT_EQ(Entries(list), (std::vector<IndexEntry>{{false, 0}, {true, 1}, {false, 2}}));
  list.PushBack({false, 9});
  list.PushBack({false, 10});
  EXPECT_EQ(list[4], (IndexEntry{false, 10}));
  EXPECT_EQ(list.PopFront(), (IndexEntry{false, 0}));
  EXPECT_EQ(Entries(list.Truncated(2)), (std::vector<IndexEntry>{{true, 1}, {false, 2}}));
  EXPECT_EQ(list.Truncated(99).size(), 4u);
  EXPECT_EQ(Entries(CIndexList(std::vector<IndexEntry>(9, {true, 3}))).size(), 9u);
}

}  // namespace
}  // namespace vrk
