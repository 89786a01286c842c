// Cross-element rules of the common sections, checked when a document loads.
#include "converter_fixture.h"

namespace vrk::test {
namespace {

// A minimal valid version-7 document with `body` added inside the root.
std::string DocumentWith(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<VRK_Device>\n"
         "<VersionInfo version=\"7\"/>\n<Cfg CfgId=\"\" DeviceType=\"1\"/>\n"
         "<Header device_description=\"\" HW_version=\"0\" SW_version=\"0.0\" serial_number=\"\"/>\n"
         "<Data_transfer_settings param_min_int=\"0\" param_max_int=\"65000\"/>\n"
         "<VibroChannels><wave_settings samples=\"8192\" fmax=\"4000\" fmin=\"0\"/></VibroChannels>\n"
         "<TachoChannels/>\n" +
         body + "\n</VRK_Device>\n";
}

using CommonRules = ConverterTest;

TEST_F(CommonRules, MonitoringElementsAreNumberedFromOneWithoutGaps) {
  EXPECT_EQ(PutXml(DocumentWith("<Monitoring><Element Number=\"2\"/><Element Number=\"1\"/></Monitoring>")), S_OK)
      << error_;
  EXPECT_EQ(PutXml(DocumentWith("<Monitoring><Element Number=\"1\"/><Element Number=\"3\"/></Monitoring>")), E_FAIL);
  EXPECT_EQ(error_,
            "For each available tags \"Element\"\nvalue of field \"Number\" must go with 1 and further without blanks\n"
            "\\VRK_Device\\Monitoring\\Element");
  EXPECT_EQ(PutXml(DocumentWith("<Monitoring><Element Number=\"1\"/><Element Number=\"1\"/></Monitoring>")), E_FAIL);
  EXPECT_EQ(error_,
            "For each available tags \"Element\"\nvalue of field \"Number\" must be unique\n"
            "\\VRK_Device\\Monitoring\\Element");
}

TEST_F(CommonRules, MonitoredParametersAreUniquePerElement) {
  EXPECT_EQ(PutXml(DocumentWith("<Monitoring><Element Number=\"1\">"
                                "<Tag ChannelNum=\"1\" ParamNum=\"2\"/><Tag ChannelNum=\"1\" ParamNum=\"2\"/>"
                                "</Element></Monitoring>")),
            E_FAIL);
  EXPECT_EQ(error_,
            "For each available tags \"Tag\"\nvalue of field \"ChannelNum_ParamNum\" must be unique\n"
            "\\VRK_Device\\Monitoring\\Element\\Tag");
}

TEST_F(CommonRules, CurrentOutputsHaveExactlyOneTag) {
  const std::string tag = "<Tag ChannelNum=\"1\" ParamNum=\"1\"/>";
  EXPECT_EQ(PutXml(DocumentWith("<current-outputs><Output Number=\"1\">" + tag + "</Output></current-outputs>")),
            S_OK)
      << error_;
  EXPECT_EQ(PutXml(DocumentWith("<current-outputs><Output Number=\"1\"/></current-outputs>")), E_FAIL);
  EXPECT_EQ(error_, "The subnode \"Tag\" must be unique\n\\VRK_Device\\current-outputs\\Output\\Tag");
  EXPECT_EQ(PutXml(DocumentWith("<current-outputs><Output Number=\"1\">" + tag + tag + "</Output></current-outputs>")),
            E_FAIL);
  EXPECT_EQ(error_, "The subnode \"Tag\" must be unique\n\\VRK_Device\\current-outputs\\Output\\Tag");
}

TEST_F(CommonRules, TachometerChannelNumbersAreUnique) {
  const std::string channel =
      "<TachoChannel number=\"1\" unit=\"202\" minvalue=\"0\" maxvalue=\"100\"/>";
  std::string document = DocumentWith("");
  document.replace(document.find("<TachoChannels/>"), 16, "<TachoChannels>" + channel + channel + "</TachoChannels>");
  EXPECT_EQ(PutXml(document), E_FAIL);
  EXPECT_EQ(error_,
            "For each available tags \"TachoChannel\"\nvalue of field \"number\" must be unique\n"
            "\\VRK_Device\\TachoChannels\\TachoChannel");
}

TEST_F(CommonRules, MandatoryElementsAndAttributesAreRequiredAtLoad) {
  std::string document = DocumentWith("");
  document.replace(document.find("<TachoChannels/>"), 16, "");
  EXPECT_EQ(PutXml(document), E_FAIL);
  EXPECT_EQ(error_, "No mandatory tag\n\\VRK_Device\\TachoChannels");
  document = DocumentWith("<Monitoring><Element Number=\"1\"/><Element/></Monitoring>");
  EXPECT_EQ(PutXml(document), E_FAIL);
  EXPECT_EQ(error_, "No mandatory attribute\n\\VRK_Device\\Monitoring\\Element\\Number");
}

}  // namespace
}  // namespace vrk::test
