// The smaller version-7 sections through the converter: test mode, relay delays, readiness diagnoses and Modbus
// inputs; and a document that fills every section of the Modbus link and the test mode.
#include "converter_fixture.h"

namespace vrk::test {
namespace {

std::string Named(const std::string& path) { return "\n\\VRK_Device\\" + path; }

// Every version-7 section with content, as a caller would save it.
constexpr char kFilledDocument[] =
    "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
    "<VRK_Device>\n"
    "\t<VersionInfo version=\"7\"/>\n"
    "\t<Cfg CfgId=\"\" DeviceType=\"1\"/>\n"
    "\t<Header device_description=\"\" HW_version=\"0\" SW_version=\"0.0\" serial_number=\"\"/>\n"
    "\t<Data_transfer_settings param_min_int=\"0\" param_max_int=\"65000\"/>\n"
    "\t<VibroChannels>\n"
    "\t\t<wave_settings samples=\"8192\" fmax=\"4000\" fmin=\"0\"/>\n"
    "\t</VibroChannels>\n"
    "\t<TachoChannels/>\n"
    "\t<Modbus used=\"1\" type=\"1\" DataValidityTime_s=\"5\" param_min_int=\"0\" param_max_int=\"65535\">\n"
    "\t\t<RS422 baudrate=\"57600\" databits=\"3\" stopbits=\"1\" parity=\"2\"/>\n"
    "\t\t<Tables>\n"
    "\t\t\t<Table type=\"1\" address=\"0\" count=\"60\"/>\n"
    "\t\t\t<Table type=\"2\" address=\"100\" count=\"40\"/>\n"
    "\t\t\t<Table type=\"3\" address=\"200\" count=\"0\"/>\n"
    "\t\t\t<Table type=\"4\" address=\"300\" count=\"37\"/>\n"
    "\t\t</Tables>\n"
    "\t\t<Slave_outputs>\n"
    "\t\t\t<Output Number=\"1\">\n"
    "\t\t\t\t<Tag ChannelNum=\"100\" ParamNum=\"7\" ParamMin=\"819\" ParamMax=\"4096\" ParamDef=\"65535\"/>\n"
    "\t\t\t</Output>\n"
    "\t\t</Slave_outputs>\n"
    "\t\t<ExchangeCycle>\n"
    "\t\t\t<Cycle Number=\"1\" CycleTime=\"15000\" SlaveTimeOut=\"1000\" MasterMinDelay=\"600\">\n"
    "\t\t\t\t<Commands>\n"
    "\t\t\t\t\t<Command Number=\"1\" Function=\"3\" SlaveAddress=\"45\" AddressIn=\"4\" AddressEx=\"104\""
    " Count=\"1\"/>\n"
    "\t\t\t\t</Commands>\n"
    "\t\t\t</Cycle>\n"
    "\t\t</ExchangeCycle>\n"
    "\t</Modbus>\n"
    "\t<Readiness used=\"1\">\n"
    "\t\t<Diagnose Number=\"1\" ParamNumber=\"3\" low_inoperative_level=\"10\" high_inoperative_level=\"10\"/>\n"
    "\t</Readiness>\n"
    "\t<Test used=\"1\" TG0=\"1\" TG1=\"2\" TG2=\"0\" TGE0=\"0\" TGE1=\"0\" TGE2=\"2\" Relay1=\"0\" Relay2=\"1\""
    " Relay3=\"2\" Relay4=\"2\"/>\n"
    "\t<Relay>\n"
    "\t\t<WarningDelay On_ms=\"100\" Off_ms=\"0\"/>\n"
    "\t\t<AlarmDelay On_ms=\"3600000\" Off_ms=\"0\"/>\n"
    "\t</Relay>\n"
    "\t<modbus-inputs>\n"
    "\t\t<Input Number=\"7\" MinPhisValue=\"-1.5\" MaxPhisValue=\"1.5\" MinInputValue=\"0\" MaxInputValue=\"4096\">\n"
    "\t\t\t<abs_level_region high_warning_level=\"1\" high_alarm_level=\"1.2\"/>\n"
    "\t\t</Input>\n"
    "\t</modbus-inputs>\n"
    "</VRK_Device>\n";

class SectionsTest : public ConverterTest {
 protected:
  // The reported dictionary text of `path`: "value|display name\n" per entry.
  std::string DictionaryOf(const std::string& path) {
    BStr name(path);
    VRK5420CfgConDataRange range{};
    EXPECT_EQ(Track(cvt_->GetValueRanges(name.get(), nullptr, &range)), S_OK) << error_;
    for (BSTR s : {range.DefaultVal, range.MinVal, range.MaxVal, range.Increment}) SysFreeString(s);
    return BStr::Adopt(range.Dictionary).ToUtf8();
  }
  // The document with `from` replaced by `to` (which must occur).
  static std::string Edited(const std::string& from, const std::string& to) {
    std::string text = kFilledDocument;
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
  }
};

using SectionsDocument = SectionsTest;

TEST_F(SectionsDocument, FilledSectionsLoadAndReadBack) {
  ASSERT_EQ(PutXml(kFilledDocument), S_OK) << error_;
  EXPECT_EQ(Get("Modbus\\ExchangeCycle\\CycleCount"), "1");
  EXPECT_EQ(Get("Modbus\\Slave_outputs\\Output\\Tag\\ChannelNum_ParamNum", Key(1)), "6553607");
  EXPECT_EQ(Get("Modbus\\ExchangeCycle\\Cycle\\Commands\\Command\\Function", {{true, 1}, {true, 1}}), "3");
  EXPECT_EQ(Get("modbus-inputs\\Input\\abs_level_region\\high_alarm_level", Key(7)), "1.2");
  EXPECT_EQ(Get("Relay\\AlarmDelay\\On_ms"), "3600000");
  const std::string saved = Xml();
  ASSERT_EQ(PutXml(saved), S_OK) << error_;
  EXPECT_EQ(Xml(), saved);
}

TEST_F(SectionsDocument, MandatoryPartsAreRequiredAtLoad) {
  EXPECT_EQ(PutXml(Edited(" Function=\"3\"", "")), E_FAIL);
  EXPECT_EQ(error_, "No mandatory attribute" + Named("Modbus\\ExchangeCycle\\Cycle\\Commands\\Command\\Function"));
  EXPECT_EQ(PutXml(Edited(" ParamDef=\"65535\"", "")), E_FAIL);
  EXPECT_EQ(error_, "No mandatory attribute" + Named("Modbus\\Slave_outputs\\Output\\Tag\\ParamDef"));
  EXPECT_EQ(PutXml(Edited(" MaxInputValue=\"4096\"", "")), E_FAIL);
  EXPECT_EQ(error_, "No mandatory attribute" + Named("modbus-inputs\\Input\\MaxInputValue"));
  EXPECT_EQ(PutXml(Edited("\t\t\t\t<Tag ChannelNum=\"100\" ParamNum=\"7\" ParamMin=\"819\" ParamMax=\"4096\""
                          " ParamDef=\"65535\"/>\n",
                          "")),
            E_FAIL);
  EXPECT_EQ(error_, "No mandatory tag" + Named("Modbus\\Slave_outputs\\Output\\Tag"));
}

using TestMode = SectionsTest;

TEST_F(TestMode, DefaultSettingsPassAndEveryInputAndRelayShowsItsDisplayNames) {
  LoadDefault();
  BStr test("Test\\");
  EXPECT_EQ(Track(cvt_->CheckNodeData(test.get(), nullptr)), S_OK) << error_;
  EXPECT_EQ(Get("Test\\TGE2") + Get("Test\\Relay1") + Get("Test\\Relay2") + Get("Test\\Relay4"), "2012");
  for (const char* name : {"TG0", "TG1", "TG2", "TGE0", "TGE1", "TGE2"})
    EXPECT_EQ(DictionaryOf(std::string("Test\\") + name), "0|(any)\n1|0\n2|1\n") << name;
  for (const char* name : {"Relay1", "Relay2", "Relay3", "Relay4"})
    EXPECT_EQ(DictionaryOf(std::string("Test\\") + name), "0|normally\n1|0 (OFF)\n2|1 (ON)\n") << name;
}

TEST_F(TestMode, ValueOutsideTheDictionaryListsTheDisplayNames) {
  LoadDefault();
  EXPECT_EQ(Set("Test\\Relay3", "3"), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (3) \nValue must be\npositive integer\n"
            "greater than or equal 0 and less than or equal 2 and\none of the following values:\n"
            "0(normally)\n1(0 (OFF))\n2(1 (ON))" +
                Named("Test\\Relay3"));
  EXPECT_EQ(Get("Test\\Relay3"), "2");
}

using RelayDelays = SectionsTest;

TEST_F(RelayDelays, AtMostOneHour) {
  LoadDefault();
  for (const char* delay : {"Relay\\WarningDelay\\On_ms", "Relay\\WarningDelay\\Off_ms", "Relay\\AlarmDelay\\On_ms",
                            "Relay\\AlarmDelay\\Off_ms"}) {
    EXPECT_EQ(Set(delay, "3600000"), S_OK) << delay << error_;
    EXPECT_EQ(Get(delay), "3600000");
    // Delays are kept in whole device cycles (200 ms here): the next storable delay is one cycle longer.
    EXPECT_EQ(Set(delay, "3600200"), E_FAIL) << delay;
    EXPECT_EQ(error_, "Incorrect value range (3600200) \nValue must be\npositive integer\n"
                      "greater than or equal 0 and less than or equal 3600000" +
                          Named(delay));
  }
}

using ReadinessDiagnoses = SectionsTest;

TEST_F(ReadinessDiagnoses, LevelsMayBeEqualButNotCrossed) {
  LoadDefault();
  const std::string diagnose = "Readiness\\Diagnose\\";
  EXPECT_EQ(Set(diagnose + "low_inoperative_level", "0", Key(1)), E_FAIL);
  EXPECT_EQ(error_, "Incorrect value range (0) \nValue must be\npositive integer\n"
                    "greater than or equal 1 and less than or equal 65535" +
                        Named(diagnose + "low_inoperative_level"));
  EXPECT_EQ(Set(diagnose + "high_inoperative_level", "0", Key(1)), S_OK) << error_;
  ASSERT_EQ(Set(diagnose + "high_inoperative_level", "5", Key(1)), S_OK) << error_;
  ASSERT_EQ(Set(diagnose + "low_inoperative_level", "5", Key(1)), S_OK) << error_;
  EXPECT_EQ(Set(diagnose + "low_inoperative_level", "6", Key(1)), E_FAIL);
  EXPECT_EQ(error_, "Incorrect value range (6) \nValue must be less than or equal high_inoperative_level (5)" +
                        Named(diagnose + "low_inoperative_level"));
  EXPECT_EQ(Set(diagnose + "high_inoperative_level", "4", Key(1)), E_FAIL);
  EXPECT_EQ(error_, "Incorrect value range (4) \nValue must be greater than or equal low_inoperative_level (5)" +
                        Named(diagnose + "high_inoperative_level"));
}

using ModbusInputs = SectionsTest;

TEST_F(ModbusInputs, NumberTakesAnyIntegerButNothingElse) {
  LoadDefault();
  const std::string number = "modbus-inputs\\Input\\Number";
  for (const char* text : {"-7", "0", "100", "65536"})
    EXPECT_EQ(Set(number, text, At({0})), S_OK) << text << error_;
  EXPECT_EQ(Set(number, "1.5", At({0})), E_FAIL);
  EXPECT_EQ(error_, "Incorrect value type (1.5) \nValue must be\npositive integer" + Named(number));
  EXPECT_EQ(Get(number, At({0})), "65536");
}

}  // namespace
}  // namespace vrk::test
