// The parameter list of a vibration channel: visiting order, sorting by number, free numbers.
#include <gtest/gtest.h>

#include "schema/channel_parameters.h"
#include "platform/utf.h"
#include "schema/device_v7.h"

namespace vrk {
namespace {

std::u16string ChannelDocument(const std::string& inner) {
  return Utf8ToUtf16("<VRK_Device><VibroChannels><VibroChannel number=\"1\">" + inner +
                     "</VibroChannel></VibroChannels></VRK_Device>");
}

std::string Kinds(const std::vector<ParamEntry>& entries) {
  std::string text;
  for (const ParamEntry& e : entries) text += std::to_string(e.kind) + ":" + std::to_string(e.number) + " ";
  return text;
}

TEST(ChannelParameters, VisitOrderAndStableSortByNumber) {
  CNodeTag_VRK_DeviceV7 root;
  root.AttachDocument(dom::Document::parseText(ChannelDocument(
      "<Crest number=\"1\"/><Average number=\"2\"/>"
      "<Relative_bands><band number=\"4\"><phase number=\"5\"/></band><band number=\"3\"/></Relative_bands>"
      "<Absolute_bands><band number=\"2\"/></Absolute_bands>")));
  const CIndexList channel{{true, 1}};
  EXPECT_EQ(Kinds(ChannelParameters(root, channel, false)), "0:2 4:1 5:2 6:4 7:5 6:3 ");
  EXPECT_EQ(Kinds(ChannelParameters(root, channel, true)), "4:1 0:2 5:2 6:3 6:4 7:5 ");
}

TEST(ChannelParameters, FreeNumbersAreTheUnusedOnesMinusOne) {
  std::string bands;
  for (int n = 6; n <= 30; ++n) bands += "<band number=\"" + std::to_string(n) + "\"/>";
  CNodeTag_VRK_DeviceV7 root;
  root.AttachDocument(dom::Document::parseText(ChannelDocument(
      "<Average number=\"1\"/><Peak number=\"2\"/><PeakPeak number=\"3\"/><WaveRMS number=\"4\"/>"
      "<Crest number=\"5\"/><Absolute_bands>" + bands + "</Absolute_bands>")));
  EXPECT_EQ(GetFreeParamNumbers(root, CIndexList{{true, 1}}), std::vector<uint32_t>{30});
  CNodeTag_VRK_DeviceV7 empty;
  empty.AttachDocument(dom::Document::parseText(ChannelDocument("")));
  EXPECT_EQ(GetFreeParamNumbers(empty, CIndexList{{true, 1}}).size(), 31u);
}

}  // namespace
}  // namespace vrk
