// Level thresholds of measured values, bands and tachometer channels: their ordering rules, the percentage
// limits, and which of them are shown in inches in imperial mode.
#include "converter_fixture.h"

namespace vrk::test {
namespace {

constexpr char kLevelsDocument[] =
    "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
    "<VRK_Device>\n"
    "\t<VersionInfo version=\"7\"/>\n"
    "\t<Cfg CfgId=\"\" DeviceType=\"1\"/>\n"
    "\t<Header device_description=\"\" HW_version=\"0\" SW_version=\"0.0\" serial_number=\"\"/>\n"
    "\t<Data_transfer_settings param_min_int=\"0\" param_max_int=\"65000\"/>\n"
    "\t<VibroChannels>\n"
    "\t\t<wave_settings samples=\"8192\" fmax=\"4000\" fmin=\"0\"/>\n"
    "\t\t<spectrum_settings lines=\"1600\"/>\n"
    "\t\t<VibroChannel number=\"1\" unit=\"102\" trn_sens=\"7\" trn_offset=\"0\">\n"
    "\t\t\t<param unit=\"102\"/>\n"
    "\t\t\t<Average number=\"1\" minvalue=\"0\" maxvalue=\"100\">\n"
    "\t\t\t\t<abs_level_region high_warning_level=\"5\" high_alarm_level=\"10\" low_warning_level=\"2\""
    " low_alarm_level=\"1\"/>\n"
    "\t\t\t\t<rel_percent_region high_warning_level=\"20\"/>\n"
    "\t\t\t</Average>\n"
    "\t\t</VibroChannel>\n"
    "\t</VibroChannels>\n"
    "\t<TachoChannels>\n"
    "\t\t<TachoChannel number=\"1\" unit=\"202\" minvalue=\"0\" maxvalue=\"12500\">\n"
    "\t\t\t<abs_level_region high_alarm_level=\"1000\"/>\n"
    "\t\t</TachoChannel>\n"
    "\t</TachoChannels>\n"
    "</VRK_Device>\n";

constexpr char kAverage[] = "VibroChannels\\VibroChannel\\Average\\";
constexpr char kTachoAbs[] = "TachoChannels\\TachoChannel\\abs_level_region\\";

class LevelRegions : public ConverterTest {
 protected:
  void SetUp() override {
    ConverterTest::SetUp();
    ASSERT_EQ(PutXml(kLevelsDocument), S_OK) << error_;
  }
  HRESULT SetAverage(const std::string& path, const std::string& value) {
    return Set(kAverage + path, value, At({0}));
  }
  std::string GetAverage(const std::string& path) { return Get(kAverage + path, At({0})); }
};

TEST_F(LevelRegions, AbsoluteWarningMustStayStrictlyInsideTheAlarm) {
  EXPECT_EQ(SetAverage("abs_level_region\\high_warning_level", "10"), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (10) \nValue must be less than high_alarm_level (10)\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Average\\abs_level_region\\high_warning_level");
  EXPECT_EQ(SetAverage("abs_level_region\\low_alarm_level", "2"), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (2) \nValue must be less than low_warning_level (2)\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Average\\abs_level_region\\low_alarm_level");
  // The low warning is compared with the high warning before the high alarm.
  EXPECT_EQ(SetAverage("abs_level_region\\low_warning_level", "7"), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (7) \nValue must be less than high_warning_level (5)\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Average\\abs_level_region\\low_warning_level");
  EXPECT_EQ(GetAverage("abs_level_region\\low_warning_level"), "2");
}

TEST_F(LevelRegions, InoperativeLevelsFrameEachOther) {
  ASSERT_EQ(SetAverage("abs_level_region\\high_inoperative_level", "50"), S_OK) << error_;
  EXPECT_EQ(SetAverage("abs_level_region\\low_inoperative_level", "50"), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (50) \nValue must be less than high_inoperative_level (50)\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Average\\abs_level_region\\low_inoperative_level");
  EXPECT_EQ(SetAverage("abs_level_region\\low_inoperative_level", "0.5"), S_OK) << error_;
}

TEST_F(LevelRegions, TachometerLevelsFollowTheSameRules) {
  EXPECT_EQ(Set(std::string(kTachoAbs) + "high_warning_level", "1000", At({0})), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (1000) \nValue must be less than high_alarm_level (1000)\n"
            "\\VRK_Device\\TachoChannels\\TachoChannel\\abs_level_region\\high_warning_level");
  EXPECT_EQ(Set(std::string(kTachoAbs) + "high_warning_level", "900", At({0})), S_OK) << error_;
}

TEST_F(LevelRegions, RelativeLevelsRiseFromWarningToInoperative) {
  // The region does not exist yet: a warning without an alarm to compare with passes.
  ASSERT_EQ(SetAverage("rel_level_region\\high_warning_level", "5"), S_OK) << error_;
  EXPECT_EQ(SetAverage("rel_level_region\\high_alarm_level", "5"), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (5) \nValue must be greater than high_warning_level (5)\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Average\\rel_level_region\\high_alarm_level");
  ASSERT_EQ(SetAverage("rel_level_region\\high_alarm_level", "6"), S_OK) << error_;
  EXPECT_EQ(SetAverage("rel_level_region\\high_inoperative_level", "6"), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (6) \nValue must be greater than high_alarm_level (6)\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Average\\rel_level_region\\high_inoperative_level");
}

TEST_F(LevelRegions, PercentagesLieBetweenOneTenthAndNinetyNinePointNine) {
  EXPECT_EQ(SetAverage("rel_percent_region\\high_alarm_level", "99.9"), S_OK) << error_;
  EXPECT_EQ(SetAverage("rel_percent_region\\high_warning_level", "0.1"), S_OK) << error_;
  EXPECT_EQ(SetAverage("rel_percent_region\\high_inoperative_level", "100"), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (100) \nValue must be\nreal number\n"
            "greater than or equal 0.1 and less than or equal 99.9\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Average\\rel_percent_region\\high_inoperative_level");
  EXPECT_EQ(SetAverage("rel_percent_region\\high_warning_level", "99.9"), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (99.9) \nValue must be less than high_alarm_level (99.9)\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Average\\rel_percent_region\\high_warning_level");
}

TEST_F(LevelRegions, ImperialModeShowsVibrationLevelsInInches) {
  ASSERT_EQ(cvt_->put_ImperialSystemMeasurement(1), S_OK);
  EXPECT_EQ(GetAverage("abs_level_region\\high_alarm_level"), "0.394");
  EXPECT_EQ(GetAverage("maxvalue"), "3.94");
  EXPECT_EQ(Get("VibroChannels\\VibroChannel\\trn_sens", At({0})), "0.2758");
  // Percentages and tachometer speeds have no length unit.
  EXPECT_EQ(GetAverage("rel_percent_region\\high_warning_level"), "20");
  EXPECT_EQ(Get(std::string(kTachoAbs) + "high_alarm_level", At({0})), "1000");

  ASSERT_EQ(SetAverage("abs_level_region\\high_alarm_level", "0.788"), S_OK) << error_;
  EXPECT_EQ(SetAverage("abs_level_region\\high_warning_level", "0.788"), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (0.788) \nValue must be less than high_alarm_level (0.788)\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Average\\abs_level_region\\high_warning_level");
  ASSERT_EQ(SetAverage("abs_level_region\\high_alarm_level", "0.394"), S_OK) << error_;

  ASSERT_EQ(cvt_->put_ImperialSystemMeasurement(0), S_OK);
  EXPECT_EQ(GetAverage("abs_level_region\\high_alarm_level"), "10");
}

}  // namespace
}  // namespace vrk::test
