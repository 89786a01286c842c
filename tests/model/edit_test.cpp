// Edits through the converter: values, validation messages, update brackets, element creation, removal, moves,
// and the all-or-nothing rule (a failed edit leaves the document text exactly as it was).
#include "converter_fixture.h"
#include "monitoring_document.h"

namespace vrk::test {
namespace {

class EditTest : public ConverterTest {
 protected:
  void LoadMonitoring() { ASSERT_EQ(PutXml(kMonitoringDocument), S_OK) << error_; }
  std::string ElementNumbers() {
    std::string numbers;
    for (uint32_t k = 0; k < Count("Monitoring\\Element\\"); ++k) numbers += Get("Monitoring\\Element\\Number", At({k}));
    return numbers;
  }
};

using Values = EditTest;

TEST_F(Values, SetValueReturnsTheNormalisedTextAndRefusesWithTheComposedMessage) {
  LoadDefault();
  const std::string before = Xml();
  EXPECT_EQ(Set("Region_settings\\Hysteresis_percent", "95"), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (95) \nValue must be\npositive integer\n"
            "greater than or equal 0 and less than or equal 90\n\\VRK_Device\\Region_settings\\Hysteresis_percent");
  EXPECT_EQ(Xml(), before);
  EXPECT_EQ(Changed(), std::make_pair(1u, 0));
  for (const char* text : {"", "abc", "12345678901", "90.0"}) {
    EXPECT_EQ(Set("Region_settings\\Hysteresis_percent", text), E_FAIL) << text;
    EXPECT_TRUE(error_.starts_with(std::string("Incorrect value type (") + text + ") \n")) << error_;
  }
  EXPECT_EQ(Written("Region_settings\\Hysteresis_percent", " 0090 "), "90") << error_;
  EXPECT_EQ(Get("Region_settings\\Hysteresis_percent"), "90");
}

TEST_F(Values, FailedWriteRemovesTheAttributeAndElementsItCreated) {
  LoadDefault();
  const std::string before = Xml();
  EXPECT_EQ(Set("Header\\profibus_address", "127"), E_FAIL);
  EXPECT_EQ(Xml(), before);
  EXPECT_EQ(Set("TachoChannels\\TachoChannel\\number", "9", Key(9)), E_FAIL);
  EXPECT_EQ(Xml(), before);
}

TEST_F(Values, UnknownPathsMissingIndexesAndAbsentAttributesFail) {
  LoadMonitoring();
  EXPECT_EQ(Get("Cfg\\NoSuchAttribute"), "<E_FAIL>");
  EXPECT_EQ(error_, "Invalid path to the attribute\nCfg\\NoSuchAttribute");
  EXPECT_EQ(Create("Modbus\\Tables"), E_FAIL);
  EXPECT_EQ(error_, "Invalid path to the node\nModbus\\Tables");
  EXPECT_EQ(Get("Monitoring\\Element\\Number"), "<E_FAIL>");
  EXPECT_EQ(error_, "No index for searching an element\n\\VRK_Device\\Monitoring\\Element");
  EXPECT_EQ(Get("Header\\profibus_address"), "<E_FAIL>");
  EXPECT_EQ(error_, "Attribute is not specified\n\\VRK_Device\\Header\\profibus_address");
}

TEST_F(Values, VirtualPairSplitsIntoChannelAndParameter) {
  LoadDefault();
  ASSERT_EQ(Set("current-outputs\\Output\\Tag\\ChannelNum_ParamNum", "65538", Key(1)), S_OK) << error_;
  EXPECT_EQ(Get("current-outputs\\Output\\Tag\\ChannelNum", Key(1)), "1");
  EXPECT_EQ(Get("current-outputs\\Output\\Tag\\ParamNum", Key(1)), "2");
  EXPECT_EQ(Get("current-outputs\\Output\\Tag\\ChannelNum_ParamNum", Key(1)), "65538");
  EXPECT_EQ(Get("current-outputs\\Output\\Number", Key(1)), "1");
}

TEST_F(Values, CheckValueRangesLeavesNoTrace) {
  LoadDefault();
  const std::string before = Xml();
  EXPECT_EQ(Checked("Region_settings\\Hysteresis_percent", "007"), "7") << error_;
  EXPECT_EQ(Xml(), before);
  EXPECT_EQ(Changed(), std::make_pair(1u, 0));
  EXPECT_EQ(Checked("Region_settings\\Hysteresis_percent", "91"), "<E_FAIL>");
  EXPECT_TRUE(error_.starts_with("Incorrect value range (91) \n")) << error_;
  EXPECT_EQ(Xml(), before);
}

TEST_F(Values, RangesReportLimitsAndDictionary) {
  LoadDefault();
  const client::DataRange baudrate = Ranges("Header\\baudrate");
  EXPECT_EQ(baudrate.Type, 5u);
  EXPECT_EQ(baudrate.Dictionary, u"93750|\n115200|\n128000|\n187500|\n500000|\n");
  const client::DataRange reductor = Ranges("TachoChannels\\TachoChannel\\reductor_coeff");
  EXPECT_EQ(reductor.MinConstraint, 2u);
  EXPECT_EQ(reductor.MinVal, u"0");
  EXPECT_EQ(reductor.DefaultVal, u"1");
  EXPECT_EQ(reductor.AddConstraint, 4);
  BStr unknown("Header\\nothing"), name("Header\\baudrate");
  EXPECT_EQ(Track(cvt_->GetValueRanges(unknown.get(), nullptr, nullptr)), E_FAIL);
  EXPECT_EQ(error_, "Invalid path to the attribute\nHeader\\nothing");
  EXPECT_EQ(cvt_->GetValueRanges(name.get(), nullptr, nullptr), S_OK);
}

using Brackets = EditTest;

TEST_F(Brackets, CountOnceAtTheOutermostEndAndNeedABegin) {
  LoadDefault();
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  ASSERT_EQ(Set("Region_settings\\Hysteresis_percent", "10"), S_OK);
  ASSERT_EQ(Set("Region_settings\\base_interval_s", "30"), S_OK);
  ASSERT_EQ(cvt_->EndUpdate(), S_OK);
  EXPECT_EQ(Changed(), std::make_pair(1u, 0));
  ASSERT_EQ(cvt_->EndUpdate(), S_OK);
  EXPECT_EQ(Changed(), std::make_pair(2u, 1));
  EXPECT_EQ(Track(cvt_->EndUpdate()), E_FAIL);
  EXPECT_EQ(error_, "No call of BeginUpdate occurred before");
}

TEST_F(Brackets, ChecksWaitForTheOutermostEndAndAFailureUndoesTheWholeBracket) {
  LoadDefault();
  const std::string before = Xml();
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  ASSERT_EQ(Set("Region_settings\\Hysteresis_percent", "10"), S_OK);
  ASSERT_EQ(Set("Region_settings\\base_interval_s", "99999"), S_OK);  // checked later
  ASSERT_EQ(cvt_->EndUpdate(), S_OK);
  EXPECT_EQ(Track(cvt_->EndUpdate()), E_FAIL);
  EXPECT_TRUE(error_.starts_with("Incorrect value range (99999) \n")) << error_;
  EXPECT_EQ(Xml(), before);
  EXPECT_EQ(Changed(), std::make_pair(1u, 0));
}

TEST_F(Brackets, CreateAndFillANewElement) {
  LoadDefault();
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  ASSERT_EQ(Create("TachoChannels\\TachoChannel\\", Key(2)), S_OK) << error_;
  ASSERT_EQ(Set("TachoChannels\\TachoChannel\\unit", "202", Key(2)), S_OK);
  ASSERT_EQ(Set("TachoChannels\\TachoChannel\\minvalue", "0", Key(2)), S_OK);
  ASSERT_EQ(Set("TachoChannels\\TachoChannel\\maxvalue", "12500", Key(2)), S_OK);
  ASSERT_EQ(Track(cvt_->EndUpdate()), S_OK) << error_;
  EXPECT_EQ(NodeText("TachoChannels\\"),
            "<TachoChannels>\n\t\t<TachoChannel number=\"2\" unit=\"202\" minvalue=\"0\" maxvalue=\"12500\"/>\n\t"
            "</TachoChannels>");
}

using Elements = EditTest;

TEST_F(Elements, CreationOutsideABracketChecksMandatoryAttributes) {
  LoadDefault();
  const std::string before = Xml();
  EXPECT_EQ(Create("TachoChannels\\TachoChannel\\", Key(2)), E_FAIL);
  EXPECT_EQ(error_, "No mandatory attribute\n\\VRK_Device\\TachoChannels\\TachoChannel\\unit");
  EXPECT_EQ(Xml(), before);
}

TEST_F(Elements, CreationKeepsKeysAscendingAndTheDocumentIndented) {
  LoadMonitoring();
  ASSERT_EQ(Set("Monitoring\\Element\\Number", "7", Key(3)), S_OK);
  ASSERT_EQ(Create("Monitoring\\Element\\", Key(5)), S_OK) << error_;
  EXPECT_EQ(ElementNumbers(), "1257");
  EXPECT_EQ(NodeText("Monitoring\\"),
            "<Monitoring>\n\t\t<Element Number=\"1\"/>\n\t\t<Element Number=\"2\"/>\n\t\t<Element Number=\"5\"/>\n"
            "\t\t<Element Number=\"7\"/>\n\t</Monitoring>");
}

TEST_F(Elements, AFailedRemovalPutsTheElementBackInPlace) {
  LoadDefault();
  const std::string before = Xml();
  EXPECT_EQ(Delete("Cfg\\"), E_FAIL);
  EXPECT_EQ(error_, "No mandatory tag\n\\VRK_Device\\Cfg");
  EXPECT_EQ(Xml(), before);
  for (uint32_t type : {1u, 2u}) {
    EXPECT_EQ(Delete("Modbus\\Tables\\Table\\", Key(type)), E_FAIL);  // there must be four tables
    EXPECT_EQ(error_, "There must be always 4 node(s) of \"Table\"\n\\VRK_Device\\Modbus\\Tables\\Table");
    EXPECT_EQ(Xml(), before);
  }
}

TEST_F(Elements, RemovalTakesTheIndentationAlong) {
  LoadMonitoring();
  ASSERT_EQ(Delete("Monitoring\\Element\\", At({2})), S_OK) << error_;
  EXPECT_EQ(NodeText("Monitoring\\"),
            "<Monitoring>\n\t\t<Element Number=\"1\"/>\n\t\t<Element Number=\"2\"/>\n\t</Monitoring>");
  EXPECT_EQ(Delete("Monitoring\\Element\\", Key(9)), S_OK);  // nothing there: nothing happens
  EXPECT_EQ(Count("Monitoring\\Element\\"), 2u);
  EXPECT_EQ(NodeText("Monitoring\\Element\\", Key(9)), std::nullopt);  // the text of no occurrence is null
  EXPECT_EQ(NodeText("Monitoring\\Element\\", Key(2)), "<Element Number=\"2\"/>");
}

TEST_F(Elements, MovesAreClampedAndReportTheDisplacement) {
  LoadMonitoring();
  LONG offset = 1;
  ASSERT_EQ(Move("Monitoring\\Element\\", At({0}), offset), S_OK) << error_;
  EXPECT_EQ(offset, 1);
  EXPECT_EQ(ElementNumbers(), "213");
  offset = 10;
  ASSERT_EQ(Move("Monitoring\\Element\\", Key(2), offset), S_OK);
  EXPECT_EQ(offset, 2);
  EXPECT_EQ(ElementNumbers(), "132");
  offset = -5;
  ASSERT_EQ(Move("Monitoring\\Element\\", Key(2), offset), S_OK);
  EXPECT_EQ(offset, -2);
  EXPECT_EQ(ElementNumbers(), "213");
  EXPECT_EQ(NodeText("Monitoring\\"),
            "<Monitoring>\n\t\t<Element Number=\"2\"/>\n\t\t<Element Number=\"1\"/>\n\t\t<Element Number=\"3\"/>\n"
            "\t</Monitoring>");
  offset = 3;
  ASSERT_EQ(Move("Monitoring\\Element\\", Key(8), offset), S_OK);
  EXPECT_EQ(offset, 0);
}

TEST_F(Elements, SetNodeTextReplacesTheOccurrence) {
  LoadMonitoring();
  BStr name("Header\\"), text("<Header device_description=\"Новый\" HW_version=\"1\" SW_version=\"2\" serial_number=\"3\"/>");
  ASSERT_EQ(Track(cvt_->SetNodeText(name.get(), nullptr, text.get())), S_OK) << error_;
  EXPECT_EQ(Get("Header\\device_description"), "Новый");
  const std::string before = Xml();
  BStr broken("<Header HW_version=\"1\"/>");
  EXPECT_EQ(Track(cvt_->SetNodeText(name.get(), nullptr, broken.get())), E_FAIL);
  EXPECT_EQ(error_, "No mandatory attribute\n\\VRK_Device\\Header\\device_description");
  EXPECT_EQ(Xml(), before);
  BStr malformed("<Header");
  EXPECT_EQ(Track(cvt_->SetNodeText(name.get(), nullptr, malformed.get())), E_FAIL);
  EXPECT_TRUE(error_.starts_with("XML document loading error\n")) << error_;
  EXPECT_EQ(Xml(), before);
}

TEST_F(Elements, SetNodeTextRemovesTheDependentsOfTheOldOccurrence) {
  std::string document = kMonitoringDocument;
  document.replace(document.find("\t</VibroChannels>"), 0,
                   "\t\t<VibroChannel number=\"1\" unit=\"102\"><param unit=\"102\"/></VibroChannel>\n");
  document.replace(document.find("\t\t<Element Number=\"3\"/>"), 25,
                   "\t\t<Element Number=\"3\"><Tag ChannelNum=\"1\" ParamNum=\"0\"/></Element>");
  ASSERT_EQ(PutXml(document), S_OK) << error_;
  BStr name("VibroChannels\\VibroChannel\\"), text("<VibroChannel number=\"1\" unit=\"101\"><param unit=\"101\"/></VibroChannel>");
  ASSERT_EQ(Track(cvt_->SetNodeText(name.get(), MakeIndexes(Key(1)).get(), text.get())), S_OK) << error_;
  EXPECT_EQ(Get("VibroChannels\\VibroChannel\\unit", Key(1)), "101");
  EXPECT_EQ(Count("Monitoring\\Element\\Tag\\", Key(3)), 0u);  // the reference to the old channel went
  EXPECT_EQ(NodeText("VibroChannels\\"),
            "<VibroChannels>\n\t\t<wave_settings samples=\"8192\" fmax=\"4000\" fmin=\"0\"/>\n"
            "\t\t<VibroChannel number=\"1\" unit=\"101\"><param unit=\"101\"/></VibroChannel>\n\t</VibroChannels>");
}

}  // namespace
}  // namespace vrk::test
