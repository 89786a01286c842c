// Cross-element rules of the common sections, checked when a document loads.
#include "parameter_documents.h"

namespace vrk::test {
namespace {

using CommonRules = ConverterTest;

TEST_F(CommonRules, MonitoringElementsAreNumberedFromOneWithoutGapsAndMonitorUniqueParameters) {
  EXPECT_EQ(PutXml(Document("", "", "<Monitoring><Element Number=\"2\"/><Element Number=\"1\"/></Monitoring>")), S_OK)
      << error_;
  EXPECT_EQ(PutXml(Document("", "", "<Monitoring><Element Number=\"1\"/><Element Number=\"3\"/></Monitoring>")), E_FAIL);
  EXPECT_EQ(error_,
            "For each available tags \"Element\"\nvalue of field \"Number\" must go with 1 and further without blanks\n"
            "\\VRK_Device\\Monitoring\\Element");
  EXPECT_EQ(PutXml(Document("", "", "<Monitoring><Element Number=\"1\"/><Element Number=\"1\"/></Monitoring>")), E_FAIL);
  EXPECT_EQ(error_,
            "For each available tags \"Element\"\nvalue of field \"Number\" must be unique\n"
            "\\VRK_Device\\Monitoring\\Element");
  // The parameters an element monitors are unique in it.
  EXPECT_EQ(PutXml(Document("", "", "<Monitoring><Element Number=\"1\">"
                                "<Tag ChannelNum=\"1\" ParamNum=\"2\"/><Tag ChannelNum=\"1\" ParamNum=\"2\"/>"
                                "</Element></Monitoring>")),
            E_FAIL);
  EXPECT_EQ(error_,
            "For each available tags \"Tag\"\nvalue of field \"ChannelNum_ParamNum\" must be unique\n"
            "\\VRK_Device\\Monitoring\\Element\\Tag");
}

TEST_F(CommonRules, CurrentOutputsHaveExactlyOneTag) {
  const std::string tag = "<Tag ChannelNum=\"1\" ParamNum=\"1\"/>";
  EXPECT_EQ(PutXml(Document("", "", "<current-outputs><Output Number=\"1\">" + tag + "</Output></current-outputs>")),
            S_OK)
      << error_;
  EXPECT_EQ(PutXml(Document("", "", "<current-outputs><Output Number=\"1\"/></current-outputs>")), E_FAIL);
  EXPECT_EQ(error_, "The subnode \"Tag\" must be unique\n\\VRK_Device\\current-outputs\\Output\\Tag");
  EXPECT_EQ(PutXml(Document("", "", "<current-outputs><Output Number=\"1\">" + tag + tag + "</Output></current-outputs>")),
            E_FAIL);
  EXPECT_EQ(error_, "The subnode \"Tag\" must be unique\n\\VRK_Device\\current-outputs\\Output\\Tag");
}

TEST_F(CommonRules, TachometerNumbersAreUniqueAndMandatoryElementsAndAttributesRequired) {
  const std::string channel = "<TachoChannel number=\"1\" unit=\"202\" minvalue=\"0\" maxvalue=\"100\"/>";
  EXPECT_EQ(PutXml(Document("", channel + channel)), E_FAIL);
  EXPECT_EQ(error_,
            "For each available tags \"TachoChannel\"\nvalue of field \"number\" must be unique\n"
            "\\VRK_Device\\TachoChannels\\TachoChannel");
  std::string document = Document("");
  document.replace(document.find("<TachoChannels></TachoChannels>"), 31, "");
  EXPECT_EQ(PutXml(document), E_FAIL);
  EXPECT_EQ(error_, "No mandatory tag\n\\VRK_Device\\TachoChannels");
  EXPECT_EQ(PutXml(Document("", "", "<Monitoring><Element Number=\"1\"/><Element/></Monitoring>")), E_FAIL);
  EXPECT_EQ(error_, "No mandatory attribute\n\\VRK_Device\\Monitoring\\Element\\Number");
}

}  // namespace
}  // namespace vrk::test
