// Listing a document's values by schema path and index, and comparing two listings.
#include <gtest/gtest.h>

#include "platform/utf.h"
#include "schema/device_v7.h"
#include "tools/document_diff.h"
#include "tools/document_values.h"

namespace vrk::tools {
namespace {

class DocumentValues : public ::testing::Test {
 protected:
  std::vector<DocumentValue> List(const std::string& xml) {
    return ListDocumentValues(schema_, dom::Document::parseText(Utf8ToUtf16(xml)));
  }
  // "LOCATION=VALUE" per value.
  std::vector<std::string> Lines(const std::string& xml) {
    std::vector<std::string> lines;
    for (const DocumentValue& v : List(xml)) lines.push_back(FormatLocation(v.path, v.indexes) + "=" + v.value);
    return lines;
  }
  std::vector<std::string> Diff(const std::string& a, const std::string& b) {
    std::vector<std::string> lines;
    for (const ValueDifference& d : DiffDocumentValues(List(a), List(b)))
      lines.push_back(FormatLocation(d.path, d.indexes) + ": " + d.before.value_or("-") + " > " +
                      d.after.value_or("-"));
    return lines;
  }

  CNodeTag_VRK_DeviceV7 schema_;
};

TEST_F(DocumentValues, NamesComeFromTheSchemaAndRepeatedElementsGetTheirKeyOrPosition) {
  const auto lines = Lines(
      R"(<VRK-Device><data_transfer_settings PARAM_MAX_INT="9"/><VibroChannels>)"
      R"(<VibroChannel number="3"><Linear type="0"><Point volt="1" value="2"/><Point volt="3" value="4"/></Linear>)"
      R"(</VibroChannel><VibroChannel number="x"/></VibroChannels><TachoChannels/></VRK-Device>)");
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "Data_transfer_settings\\param_max_int=9",
                       "VibroChannels\\=",
                       "VibroChannels\\VibroChannel\\number #3=3",
                       "VibroChannels\\VibroChannel\\Linear\\type #3=0",
                       // Linearisation points are keyed by their voltage.
                       "VibroChannels\\VibroChannel\\Linear\\Point\\volt #3 #1=1",
                       "VibroChannels\\VibroChannel\\Linear\\Point\\value #3 #1=2",
                       "VibroChannels\\VibroChannel\\Linear\\Point\\volt #3 #3=3",
                       "VibroChannels\\VibroChannel\\Linear\\Point\\value #3 #3=4",
                       // A key that is no number is no address: the occurrence goes by position.
                       "VibroChannels\\VibroChannel\\number 1=x",
                       "TachoChannels\\=",
                   }));
}

TEST_F(DocumentValues, UnknownNamesAreListedAsWrittenAndSharedNamesOrKeysGoByPosition) {
  const auto lines = Lines(R"(<VRK-Device><Extra a="1"/><Twice b="1"/><Twice b="2"/><Cfg Unknown="u"/></VRK-Device>)");
  EXPECT_EQ(lines, (std::vector<std::string>{"Extra\\a=1", "Twice\\b 0=1", "Twice\\b 1=2", "Cfg\\Unknown=u"}));
  // Keys taken twice fall back to positions, so that no value hides another.
  const auto positions = Lines(
      R"(<VRK-Device><TachoChannels><TachoChannel number="1" unit="201"/><TachoChannel number="1" unit="202"/>)"
      R"(</TachoChannels></VRK-Device>)");
  EXPECT_EQ(positions, (std::vector<std::string>{"TachoChannels\\=", "TachoChannels\\TachoChannel\\number #1=1",
                                             "TachoChannels\\TachoChannel\\unit #1=201",
                                             "TachoChannels\\TachoChannel\\number 1=1",
                                             "TachoChannels\\TachoChannel\\unit 1=202"}));
}

TEST_F(DocumentValues, DiffMatchesOccurrencesByKeyWhateverTheirOrderElseOneByOne) {
  const std::string a = R"(<VRK-Device><TachoChannels><TachoChannel number="1" unit="201"/>)"
                        R"(<TachoChannel number="2" unit="202"/></TachoChannels></VRK-Device>)";
  const std::string b = R"(<VRK-Device><TachoChannels><TachoChannel number="2" unit="202"/>)"
                        R"(<TachoChannel number="1" unit="202" trn_sens="3"/></TachoChannels></VRK-Device>)";
  EXPECT_TRUE(Diff(a, a).empty());
  EXPECT_EQ(Diff(a, b), (std::vector<std::string>{"TachoChannels\\TachoChannel\\unit #1: 201 > 202",
                                                  "TachoChannels\\TachoChannel\\trn_sens #1: - > 3"}));
  EXPECT_EQ(Diff(b, a), (std::vector<std::string>{"TachoChannels\\TachoChannel\\unit #1: 202 > 201",
                                                  "TachoChannels\\TachoChannel\\trn_sens #1: 3 > -"}));
  // Repeated locations pair occurrence by occurrence.
  const std::string c = R"(<VRK-Device><X><Y v="1"/><Y v="1"/></X><X><Y v="1"/></X></VRK-Device>)";
  const std::string d = R"(<VRK-Device><X><Y v="1"/><Y v="1"/></X><X><Y v="1"/></X><X/></VRK-Device>)";
  EXPECT_EQ(Diff(c, d), (std::vector<std::string>{"X\\ 2: - > "}));
}

}  // namespace
}  // namespace vrk::tools
