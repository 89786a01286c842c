// Whole-configuration behaviour of the version-7 root: measuring ranges, device cycles, cross-element rules,
// arrangement of linearisation points and the passes after loading.
#include "parameter_documents.h"

namespace vrk::test {
namespace {

std::string Points(const std::string& a, const std::string& b, const std::string& c) {
  return "<Linear type=\"0\"><Point volt=\"" + a + "\" value=\"-5\"/><Point volt=\"" + b +
         "\" value=\"2\"/><Point volt=\"" + c + "\" value=\"4\"/></Linear>";
}

class ChecksTest : public ConverterTest {
 protected:
  // "min..max" as GetValueRanges reports them.
  std::string Limits(const std::string& path, const Indexes& indexes = {{true, 1}}) {
    const client::DataRange range = Ranges(path, indexes);
    return Utf16ToUtf8(range.MinVal) + ".." + Utf16ToUtf8(range.MaxVal);
  }
  std::string Increment(const std::string& path, const Indexes& indexes = {}) {
    return Utf16ToUtf8(Ranges(path, indexes).Increment);
  }
};

constexpr char kPeak[] = "VibroChannels\\VibroChannel\\Peak\\maxvalue";
constexpr char kPeakPeak[] = "VibroChannels\\VibroChannel\\PeakPeak\\maxvalue";
constexpr char kCrest[] = "VibroChannels\\VibroChannel\\Crest\\maxvalue";
constexpr char kBand[] = "VibroChannels\\VibroChannel\\Absolute_bands\\band\\maxvalue";

// Peak, PeakPeak, Crest and two absolute bands (the second measuring peak to peak), all with maxvalue `max`.
std::string Parameters(const std::string& max = "100") {
  const std::string limits = " minvalue=\"0\" maxvalue=\"" + max + "\"";
  return "<Peak number=\"1\"" + limits + "/><PeakPeak number=\"2\"" + limits + "/><Crest number=\"3\"" + limits +
         "/><Absolute_bands><band number=\"4\"" + limits + " low_freq=\"10\" high_freq=\"1000\"/>"
         "<band number=\"5\" value_type=\"3\"" + limits + " low_freq=\"10\" high_freq=\"1000\"/></Absolute_bands>";
}

using MeasuringRange = ChecksTest;

TEST_F(MeasuringRange, FollowsTheSensorSensitivity) {
  Load(Document(Vibro(1, Parameters())));
  EXPECT_EQ(Limits(kPeak), "0..392.857");
  EXPECT_EQ(Limits(kPeakPeak), "0..785.714");
  EXPECT_EQ(Limits(kCrest), "0..1000000000");
  EXPECT_EQ(Limits(kBand, {{true, 1}, {false, 0}}), "0..392.857");
  EXPECT_EQ(Limits(kBand, {{true, 1}, {false, 1}}), "0..785.714");
  EXPECT_EQ(Set(kPeak, "400", {{true, 1}}), E_FAIL);  // the range bounds the parameter's limits
  EXPECT_EQ(error_,
            "Incorrect value range (400) \nValue must be\nreal number\n"
            "greater than or equal 0 and less than or equal 392.857\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Peak\\maxvalue");
  EXPECT_EQ(Set(kPeak, "392", {{true, 1}}), S_OK) << error_;
}

TEST_F(MeasuringRange, FollowsTheLinearisationTableAndIsEmptyWithoutSensor) {
  Load(Document(Vibro(1, Points("-1", "0", "1") + Parameters("1"))));
  EXPECT_EQ(Limits(kPeak), "0..5");
  EXPECT_EQ(Limits(kPeakPeak), "0..10");
  EXPECT_EQ(Limits(kBand, {{true, 1}, {false, 0}}), "0..1000000000");
  Load(Document("<VibroChannel number=\"1\" unit=\"102\"><param unit=\"102\"/>" + Parameters("0") + "</VibroChannel>"));
  EXPECT_EQ(Limits(kPeak), "0..0");
}

using PreparedRanges = ChecksTest;

TEST_F(PreparedRanges, UnitDictionariesFollowTheMeasurementSystem) {
  Load(Document(Vibro(1, "")));
  auto dictionary = [&](const std::string& path) { return Utf16ToUtf8(Ranges(path, {{true, 1}}).Dictionary); };
  EXPECT_EQ(dictionary("VibroChannels\\VibroChannel\\unit"), "101|m/s2\n102|mm/s\n103|mkm\n334|mm\n");
  ASSERT_EQ(cvt_->put_ImperialSystemMeasurement(1), S_OK);
  EXPECT_EQ(dictionary("VibroChannels\\VibroChannel\\param\\unit"), "101|in/s2\n102|in/s\n103|mils\n334|in\n");
  // A displacement sensor in mm allows only mm; changing the channel's unit brings its parameter unit along.
  ASSERT_EQ(Set("VibroChannels\\VibroChannel\\unit", "334", {{true, 1}}), S_OK) << error_;
  EXPECT_EQ(Get("VibroChannels\\VibroChannel\\param\\unit", {{true, 1}}), "334");
  EXPECT_EQ(dictionary("VibroChannels\\VibroChannel\\param\\unit"), "334|in\n");
  EXPECT_EQ(Set("VibroChannels\\VibroChannel\\unit", "104", {{true, 1}}), E_FAIL);
}

TEST_F(PreparedRanges, LimitsFollowOtherValues) {
  LoadDefault();
  EXPECT_EQ(Limits("Modbus\\ExchangeCycle\\CycleCount", {}), "0..0");  // a slave has no cycles
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  ASSERT_EQ(Set("Modbus\\type", "1"), S_OK);
  ASSERT_EQ(Set("Modbus\\ExchangeCycle\\CycleCount", "1"), S_OK);
  ASSERT_EQ(Track(cvt_->EndUpdate()), S_OK) << error_;
  EXPECT_EQ(Limits("Modbus\\ExchangeCycle\\CycleCount", {}), "1..4");
  EXPECT_EQ(Limits("VibroChannels\\VibroChannel\\Relative_bands\\band\\upper_bound", {{true, 1}, {false, 0}}),
            "0..1000");  // fmax 4000 / 100 x 25
}

using DeviceCycles = ChecksTest;

TEST_F(DeviceCycles, DelaysAndBandEdgesAreStoredOnWholeCyclesAndLinesOfTheIncrement) {
  Load(Document(Vibro(1, Parameters())));
  ASSERT_EQ(Set("Relay\\WarningDelay\\On_ms", "300"), S_OK) << error_;
  EXPECT_EQ(Get("Relay\\WarningDelay\\On_ms"), "400");
  ASSERT_EQ(Set("Region_settings\\DelayUp_ms", "100"), S_OK) << error_;
  EXPECT_EQ(Get("Region_settings\\DelayUp_ms"), "200");
  const Indexes band = {{true, 1}, {false, 0}};
  ASSERT_EQ(Set("VibroChannels\\VibroChannel\\Absolute_bands\\band\\low_freq", "11", band), S_OK) << error_;
  EXPECT_EQ(Get("VibroChannels\\VibroChannel\\Absolute_bands\\band\\low_freq", band), "10");
  ASSERT_EQ(Set("VibroChannels\\VibroChannel\\Absolute_bands\\band\\high_freq", "11", band), S_OK) << error_;
  EXPECT_EQ(Get("VibroChannels\\VibroChannel\\Absolute_bands\\band\\high_freq", band), "12.5");
  EXPECT_EQ(Increment("Region_settings\\DelayUp_ms"), "200");
  EXPECT_EQ(Increment("Relay\\AlarmDelay\\Off_ms"), "200");
  EXPECT_EQ(Increment("VibroChannels\\VibroChannel\\Absolute_bands\\band\\low_freq", {{true, 1}, {false, 0}}), "2.5");
  ASSERT_EQ(Set("VibroChannels\\wave_settings\\fmax", "8000"), S_OK) << error_;
  EXPECT_EQ(Increment("Region_settings\\DelayUp_ms"), "100");
}

using VersionSevenRules = ChecksTest;

TEST_F(VersionSevenRules, LinearisationNeedsThreeDistinctPointsAndAPhaseItsRelativeBand) {
  EXPECT_EQ(PutXml(Document(Vibro(1, "<Linear type=\"0\"><Point volt=\"1\" value=\"1\"/><Point volt=\"2\" value=\"2\"/>"
                                  "</Linear>"))),
            E_FAIL);
  EXPECT_EQ(error_,
            "The number of linearization points should be at least three\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Linear");
  EXPECT_EQ(PutXml(Document(Vibro(1, Points("1.0", "1.0000005", "3")))), E_FAIL);
  EXPECT_EQ(error_,
            "The linearization points in the column \"\"Signal\"\" should not be repeated\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Linear");
  const std::string tacho = "<TachoChannel number=\"1\" unit=\"202\" minvalue=\"0\" maxvalue=\"12500\"/>";
  const std::string band =
      "<Relative_bands><band number=\"3\" minvalue=\"0\" maxvalue=\"100\" shaft=\"1\" factor=\"1\" ranges_type=\"2\" "
      "lower_bound=\"5\" upper_bound=\"5\"><phase number=\"%\"/></band></Relative_bands>";
  std::string linked = band, unlinked = band;
  linked.replace(linked.find('%'), 1, "4");
  unlinked.replace(unlinked.find('%'), 1, "5");
  Load(Document(Vibro(1, linked), tacho));
  EXPECT_EQ(PutXml(Document(Vibro(1, unlinked), tacho)), E_FAIL);
  EXPECT_EQ(error_,
            "Parameter \"Phase\" is not associated to parameter \"Relative band\"\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Relative_bands\\band\\phase");
  EXPECT_EQ(PutXml(Document(Vibro(1, linked))), E_FAIL);  // no tachometer channel 1 for the shaft
  EXPECT_EQ(error_,
            "The node \"\\VRK_Device\\VibroChannels\\VibroChannel\\Relative_bands\\band\" must refer to one of "
            "existing nodes \"\\VRK_Device\\TachoChannels\\TachoChannel\"\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Relative_bands\\band");
}

TEST_F(VersionSevenRules, TestValuesStayWithinThePublishedParametersRange) {
  const std::string modbus =
      "<Modbus used=\"1\" type=\"0\" DataValidityTime_s=\"1\" param_min_int=\"3000\" param_max_int=\"28000\">"
      "<Slave_outputs><Output Number=\"1\"><Tag ChannelNum=\"1\" ParamNum=\"0\" ParamMin=\"0\" ParamMax=\"4096\" "
      "ParamDef=\"65535\"/></Output></Slave_outputs></Modbus>";
  auto test = [](const std::string& value) {
    return "<Test used=\"1\" TG0=\"0\" TG1=\"0\" TG2=\"0\" TGE0=\"0\" TGE1=\"0\" TGE2=\"0\" Relay1=\"0\" "
           "Relay2=\"0\" Relay3=\"0\" Relay4=\"0\"><Parameters><Parameter Number=\"1\" OutputNumber=\"1\" Value=\"" +
           value + "\"/></Parameters></Test>";
  };
  // ParamNum 0 names the parameter numbered 1, the Peak, whose range is 0..392.857 with sensitivity 7.
  Load(Document(Vibro(1, Parameters()), "", modbus + test("392")));
  EXPECT_EQ(PutXml(Document(Vibro(1, Parameters()), "", modbus + test("393"))), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (393) \nValue must be less than or equal 392.857\n"
            "\\VRK_Device\\Test\\Parameters\\Parameter\\Value");

  // The channel a reference names by number is the one whose sensor counts, wherever it stands: channel 2 with
  // sensitivity 5 (Peak up to 550) comes first, channel 1 with sensitivity 7 second.
  const std::string channels = Vibro(2, Parameters(), "5") + Vibro(1, Parameters());
  EXPECT_EQ(PutXml(Document(channels, "", modbus + test("393"))), E_FAIL);
  std::string to_second = modbus;
  to_second.replace(to_second.find("ChannelNum=\"1\""), 14, "ChannelNum=\"2\"");
  EXPECT_EQ(PutXml(Document(channels, "", to_second + test("549"))), S_OK) << error_;
  EXPECT_EQ(PutXml(Document(channels, "", to_second + test("551"))), E_FAIL);
}

TEST_F(VersionSevenRules, ASensorChangeRechecksTheWholeChannel) {
  Load(Document(Vibro(1, Parameters("300"))));
  const std::string before = Xml();
  // Sensitivity 10 shrinks the Peak's range to 0..275, below its maxvalue 300.
  EXPECT_EQ(Set("VibroChannels\\VibroChannel\\trn_sens", "10", {{true, 1}}), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (300) \nValue must be\nreal number\n"
            "greater than or equal 0 and less than or equal 275\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Peak\\maxvalue");
  EXPECT_EQ(Xml(), before);
}

using Arrangement = ChecksTest;

TEST_F(Arrangement, SortsPointsBySignalWithTheirValues) {
  Load(Document(Vibro(1, Points("3", "1", "2"))));
  BStr name("VibroChannels\\VibroChannel\\Linear\\");
  ASSERT_EQ(Track(cvt_->ArrangeNodeData(name.get(), MakeIndexes({{true, 1}}).get())), S_OK) << error_;
  std::string pairs;
  for (uint32_t k = 0; k < 3; ++k)
    pairs += Get("VibroChannels\\VibroChannel\\Linear\\Point\\volt", {{true, 1}, {false, k}}) + ":" +
             Get("VibroChannels\\VibroChannel\\Linear\\Point\\value", {{true, 1}, {false, k}}) + " ";
  EXPECT_EQ(pairs, "1:2 2:4 3:-5 ");
  const std::string sorted = Xml();
  const ULONG counter = Changed().first;
  ASSERT_EQ(cvt_->ArrangeNodeData(name.get(), MakeIndexes({{true, 1}}).get()), S_OK);
  EXPECT_EQ(Xml(), sorted);
  EXPECT_EQ(Changed().first, counter + 1);
}

using LoadPasses = ChecksTest;

TEST_F(LoadPasses, SpeedsPerSecondBecomePerMinuteObsoleteValuesGoMissingDelaysAppear) {
  Load(Document(Vibro(1, ""),
              "<TachoChannel number=\"1\" unit=\"201\" minvalue=\"1\" maxvalue=\"200\">"
              "<abs_level_region high_warning_level=\"150\"/>"
              "<start_stop_region start_level=\"20\" stop_level=\"15\"/></TachoChannel>"));
  const Indexes tacho = {{true, 1}};
  EXPECT_EQ(Get("TachoChannels\\TachoChannel\\unit", tacho), "202");
  EXPECT_EQ(Get("TachoChannels\\TachoChannel\\minvalue", tacho), "60");
  EXPECT_EQ(Get("TachoChannels\\TachoChannel\\maxvalue", tacho), "12000");
  EXPECT_EQ(Get("TachoChannels\\TachoChannel\\start_stop_region\\stop_level", tacho), "900");
  EXPECT_EQ(Get("TachoChannels\\TachoChannel\\abs_level_region\\high_warning_level", tacho), "9000");
  std::string document = Document(Vibro(1, ""));
  document.replace(document.find(" serial_number=\"\""), 0, " baudrate=\"500000\"");
  document.replace(document.find("<Relay>"), document.find("</Relay>") + 8 - document.find("<Relay>"), "");
  Load(document);
  EXPECT_EQ(Get("Header\\baudrate"), "<E_FAIL>");
  EXPECT_EQ(Get("Relay\\AlarmDelay\\Off_ms"), "0");
}

TEST_F(LoadPasses, CompatibilityModeFollowsTheParameterLayout) {
  LONG on = -1;
  Load(Document(Vibro(1, "<Average number=\"1\" minvalue=\"0\" maxvalue=\"100\"/>"
                      "<PeakPeak number=\"2\" minvalue=\"0\" maxvalue=\"100\"/><Absolute_bands>"
                      "<band number=\"3\" minvalue=\"0\" maxvalue=\"100\" low_freq=\"10\" high_freq=\"1000\"/>"
                      "</Absolute_bands>")));
  ASSERT_EQ(cvt_->get_CompatibilityThrsSCADA21(&on), S_OK);
  EXPECT_EQ(on, 1);
  Load(Document(Vibro(1, Parameters())));
  ASSERT_EQ(cvt_->get_CompatibilityThrsSCADA21(&on), S_OK);
  EXPECT_EQ(on, 0);
}

}  // namespace
}  // namespace vrk::test
