// The limits of single values and of the value pairs that must stay in order, as tables of writes through the
// converter: each write is accepted, or refused with the whole description and the value left as it was.
#include "parameter_documents.h"

namespace vrk::test {
namespace {

// One write: `value` to `path` at `at`. `refusal` is empty when the write must succeed; otherwise it is the
// description without the element path that ends it, and a rule ("Value must ...") stands for the range message
// of the value written.
struct Write {
  std::string path;
  std::string value;
  std::string refusal = "";
  Indexes at = {};
};

struct LimitTable {
  const char* name;
  std::string document;  // empty: the default configuration
  std::vector<Write> writes;
};

std::ostream& operator<<(std::ostream& out, const LimitTable& table) { return out << table.name; }

constexpr char kLinear[] =
    "<Linear type=\"0\"><Point volt=\"-1000\" value=\"-100\"/><Point volt=\"0\" value=\"0\"/>"
    "<Point volt=\"1000\" value=\"100\"/></Linear>";

// One channel with a linearisation table, an overall value, absolute bands 2 and 3 and relative bands 6 and 4.
std::string ChannelDocument() {
  return Document(Vibro(1, kLinear + Overall("Average", 1) + Absolute(AbsoluteBand(2) + AbsoluteBand(3)) +
                               Relative(RelativeBand(6, 1) + RelativeBand(4, 1, "2"))),
                  Tacho(1));
}

// An overall value and a tachometer channel with levels.
std::string LevelsDocument() {
  return Document(Vibro(1, "<Average number=\"1\" minvalue=\"0\" maxvalue=\"100\"><abs_level_region "
                           "high_warning_level=\"5\" high_alarm_level=\"10\" low_warning_level=\"2\" "
                           "low_alarm_level=\"1\"/><rel_percent_region high_warning_level=\"20\"/></Average>"),
                  "<TachoChannel number=\"1\" unit=\"202\" minvalue=\"0\" maxvalue=\"12500\">"
                  "<abs_level_region high_alarm_level=\"1000\"/></TachoChannel>");
}

std::string SumMessage(const std::string& parameters, const std::string& control_bits) {
  return "Sum of values\n\"Table of received parameters, number of received parameters (" + parameters +
         ")\"\ne\n\"Table of received parameters, number of received control bits (" + control_bits +
         ")\"\n mustn't exceed 100";
}

const std::string kWave = "VibroChannels\\wave_settings\\";
const std::string kAbsoluteBand = kAbsoluteBandPath;
const std::string kRelativeBand = kRelativeBandPath;
const std::string kAverage = "VibroChannels\\VibroChannel\\Average\\";
const std::string kTachoLevels = "TachoChannels\\TachoChannel\\abs_level_region\\";
const std::string kTables = "Modbus\\Tables\\Table\\count";
const std::string kCommand = "Modbus\\ExchangeCycle\\Cycle\\Commands\\Command\\";
const std::string kSlaveTag = "Modbus\\Slave_outputs\\Output\\Tag\\";
const std::string kDiagnose = "Readiness\\Diagnose\\";
const Indexes kFirst = At({0});
const Indexes kFirstBand = At({0, 0});
const Indexes kSecondBand = At({0, 1});

// Each relay delay at most one hour: delays are kept in whole device cycles (200 ms here), so the next storable
// delay is one cycle longer.
std::vector<Write> RelayDelayWrites() {
  std::vector<Write> writes;
  for (const char* delay : {"Relay\\WarningDelay\\On_ms", "Relay\\WarningDelay\\Off_ms", "Relay\\AlarmDelay\\On_ms",
                            "Relay\\AlarmDelay\\Off_ms"}) {
    writes.push_back({delay, "3600000"});
    writes.push_back(
        {delay, "3600200", "Value must be\npositive integer\ngreater than or equal 0 and less than or equal 3600000"});
  }
  return writes;
}

const LimitTable kTablesOfWrites[] = {
    {"DictionaryValues", "",
     {{"Header\\baudrate", "0115200"},
      {"Header\\baudrate", "115201",
       "Value must be\npositive integer and\none of the following values:\n93750\n115200\n128000\n187500\n500000"},
      {"Modbus\\RS422\\databits", "3"},
      {"Modbus\\RS422\\databits", "4"},
      {"Modbus\\RS422\\databits", "7", "Value must be\npositive integer and\none of the following values:\n3(7)\n4(8)"},
      {"Modbus\\RS422\\databits", "8", "Value must be\npositive integer and\none of the following values:\n3(7)\n4(8)"},
      {"Modbus\\type", "2",
       "Value must be\nBOOL and\none of the following values:\n0(Modbus Slave)\n1(Modbus Master)"},
      {"Test\\Relay3", "3",
       "Value must be\npositive integer\ngreater than or equal 0 and less than or equal 2 and\none of the following "
       "values:\n0(normally)\n1(0 (OFF))\n2(1 (ON))"},
      {kWave + "samples", "8192"},
      {kWave + "samples", "65536"},
      {kWave + "samples", "4096",
       "Value must be\npositive integer and\none of the following values:\n8192\n16384\n32768\n65536"},
      {kWave + "fmax", "250"},
      {kWave + "fmax", "8000"},
      {kWave + "fmax", "3000",
       "Value must be\npositive integer and\none of the following values:\n250\n500\n1000\n2000\n4000\n8000"}}},
    {"PairsInOrder", "",
     {{"Data_transfer_settings\\param_min_int", "65000", "Value must be less than param_max_int (65000)"},
      {"Modbus\\param_min_int", "28000", "Value must be less than param_max_int (28000)"},
      {"Modbus\\param_max_int", "3000", "Value must be greater than param_min_int (3000)"},
      {"Modbus\\param_min_int", "27999"},
      {kSlaveTag + "ParamMax", "4096", "", Key(1)},
      {kSlaveTag + "ParamMin", "4096", "Value must be less than ParamMax (4096)", Key(1)},
      {kSlaveTag + "ParamMin", "819", "", Key(1)},
      {kSlaveTag + "ParamMax", "800", "Value must be greater than ParamMin (819)", Key(1)},
      {kWave + "fmin", "4000", "Value must be less than fmax (4000)"},
      {kWave + "fmin", "3999"},
      {kWave + "fmax", "2000", "Value must be greater than fmin (3999)"},
      {kDiagnose + "low_inoperative_level", "0",
       "Value must be\npositive integer\ngreater than or equal 1 and less than or equal 65535", Key(1)},
      {kDiagnose + "high_inoperative_level", "0", "", Key(1)},
      {kDiagnose + "high_inoperative_level", "5", "", Key(1)},
      {kDiagnose + "low_inoperative_level", "5", "", Key(1)},
      {kDiagnose + "low_inoperative_level", "6", "Value must be less than or equal high_inoperative_level (5)",
       Key(1)},
      {kDiagnose + "high_inoperative_level", "4", "Value must be greater than or equal low_inoperative_level (5)",
       Key(1)}}},
    {"ReceivedParametersAndControlBitsShareAHundredPlaces", "",
     {{kTables, "80", "", Key(1)},
      {kTables, "21", SumMessage("80", "21"), Key(2)},
      {kTables, "20", "", Key(2)},
      {kTables, "081", SumMessage("81", "20"), Key(1)},
      {kTables, "0", "", Key(2)},
      {kTables, "100", "", Key(1)},
      {kTables, "65535", "", Key(3)},  // the other tables are not counted
      {kTables, "65535", "", Key(4)},
      {kTables, "0", "", Key(1)},
      {kTables, "90", "", At({1})},
      {kTables, "11", SumMessage("11", "90"), At({0})}}},  // the parameter table is quoted first
    {"MasterCommandsAndCycles", "",
     {{"Modbus\\type", "1"},
      {kCommand + "SlaveAddress", "247", "", {{true, 1}, {true, 1}}},
      {kCommand + "SlaveAddress", "248",
       "Value must be\npositive integer\ngreater than or equal 0 and less than or equal 247", {{true, 1}, {true, 1}}},
      {kCommand + "Function", "16", "", {{true, 1}, {true, 1}}},
      {kCommand + "Function", "7",
       "Value must be\npositive integer and\none of the following values:\n1(01 - Read Coils)\n2(02 - Read Discrete "
       "Inputs)\n3(03 - Read Holding Registers)\n4(04 - Read Input Registers)\n5(05 - Write Single Coil)\n"
       "6(06 - Write Single Register)\n15(15 - Write Multiple Coils)\n16(16 - Write Multiple Registers)",
       {{true, 1}, {true, 1}}},
      {"Modbus\\ExchangeCycle\\Cycle\\CycleTime", "2147483648", "", Key(1)},
      {"Modbus\\ExchangeCycle\\Cycle\\CycleTime", "2147483649",
       "Value must be\npositive integer\ngreater than or equal 0 and less than or equal 2147483648", Key(1)}}},
    {"RelayDelaysAtMostOneHour", "", RelayDelayWrites()},
    {"ModbusInputNumberTakesAnyInteger", "",
     {{"modbus-inputs\\Input\\Number", "-7", "", kFirst},
      {"modbus-inputs\\Input\\Number", "0", "", kFirst},
      {"modbus-inputs\\Input\\Number", "100", "", kFirst},
      {"modbus-inputs\\Input\\Number", "65536", "", kFirst},
      {"modbus-inputs\\Input\\Number", "1.5", "Incorrect value type (1.5) \nValue must be\npositive integer",
       kFirst}}},
    {"TachometerStopBelowStart", Document("", Tacho(1)),
     {{"TachoChannels\\TachoChannel\\start_stop_region\\stop_level", "1300",
       "Value must be less than start_level (1200)", Key(1)},
      {"TachoChannels\\TachoChannel\\start_stop_region\\stop_level", "1000", "", Key(1)}}},
    {"BandEdgesWithinFmax", ChannelDocument(),
     {{kAbsoluteBand + "high_freq", "5000", "Value must be less than or equal fmax (4000)", kFirstBand},
      {kAbsoluteBand + "high_freq", "4000", "", kFirstBand},
      {kAbsoluteBand + "low_freq", "4000", "Value must be less than high_freq (4000)", kFirstBand},
      {kRelativeBand + "lower_bound", "5", "", kFirstBand},  // relative bounds may be equal
      {kRelativeBand + "lower_bound", "5.5", "Value must be less than or equal upper_bound (5)", kFirstBand},
      {kRelativeBand + "upper_bound", "4.5", "Value must be greater than or equal lower_bound (5)", kSecondBand},
      {"VibroChannels\\VibroChannel\\Linear\\Point\\volt", "-2750", "", At({0, 0})},
      {"VibroChannels\\VibroChannel\\Linear\\Point\\volt", "2750", "", At({0, 2})},
      {"VibroChannels\\VibroChannel\\Linear\\Point\\volt", "2750.5",
       "Value must be\nreal number\ngreater than or equal -2750 and less than or equal 2750", At({0, 2})},
      {kAverage + "abs_level_region\\high_warning_level", "100", "", kFirst},
      {kAverage + "abs_level_region\\high_warning_level", "100.5", "Value must be less than or equal 100", kFirst}}},
    // A fractional high frequency counts with its fraction: 2001 goes up to the next spectral line, 2002.5.
    {"FmaxNotBelowAnyBandsHighFreq", ChannelDocument(),
     {{kAbsoluteBand + "high_freq", "2001", "", kSecondBand},
      {kWave + "fmax", "2000", "Value must be greater than or equal high_freq (2002.5)"},
      {kAbsoluteBand + "high_freq", "2000", "", kSecondBand},
      {kWave + "fmax", "2000"}}},
    // The low warning is compared with the high warning before the high alarm.
    {"AbsoluteLevelsInOrder", LevelsDocument(),
     {{kAverage + "abs_level_region\\high_warning_level", "10", "Value must be less than high_alarm_level (10)",
       kFirst},
      {kAverage + "abs_level_region\\low_alarm_level", "2", "Value must be less than low_warning_level (2)", kFirst},
      {kAverage + "abs_level_region\\low_warning_level", "7", "Value must be less than high_warning_level (5)", kFirst},
      {kAverage + "abs_level_region\\high_inoperative_level", "50", "", kFirst},
      {kAverage + "abs_level_region\\low_inoperative_level", "50",
       "Value must be less than high_inoperative_level (50)", kFirst},
      {kAverage + "abs_level_region\\low_inoperative_level", "0.5", "", kFirst},
      {kTachoLevels + "high_warning_level", "1000", "Value must be less than high_alarm_level (1000)", kFirst},
      {kTachoLevels + "high_warning_level", "900", "", kFirst}}},
    // A relative region that does not exist yet has no alarm to compare a warning with.
    {"RelativeLevelsRiseAndPercentagesStayInRange", LevelsDocument(),
     {{kAverage + "rel_level_region\\high_warning_level", "5", "", kFirst},
      {kAverage + "rel_level_region\\high_alarm_level", "5", "Value must be greater than high_warning_level (5)",
       kFirst},
      {kAverage + "rel_level_region\\high_alarm_level", "6", "", kFirst},
      {kAverage + "rel_level_region\\high_inoperative_level", "6", "Value must be greater than high_alarm_level (6)",
       kFirst},
      {kAverage + "rel_percent_region\\high_alarm_level", "99.9", "", kFirst},
      {kAverage + "rel_percent_region\\high_warning_level", "0.1", "", kFirst},
      {kAverage + "rel_percent_region\\high_inoperative_level", "100",
       "Value must be\nreal number\ngreater than or equal 0.1 and less than or equal 99.9", kFirst},
      {kAverage + "rel_percent_region\\high_warning_level", "99.9", "Value must be less than high_alarm_level (99.9)",
       kFirst}}},
};

class ValueLimits : public ConverterTest, public ::testing::WithParamInterface<LimitTable> {};

TEST_P(ValueLimits, EachWriteIsAcceptedOrRefusedLeavingTheValue) {
  const LimitTable& table = GetParam();
  if (table.document.empty())
    LoadDefault();
  else
    ASSERT_EQ(PutXml(table.document), S_OK) << error_;
  for (const Write& write : table.writes) {
    SCOPED_TRACE(write.path + " = " + write.value);
    const std::string before = Get(write.path, write.at);
    const HRESULT hr = Set(write.path, write.value, write.at);
    if (write.refusal.empty()) {
      EXPECT_EQ(hr, S_OK) << error_;
      continue;
    }
    EXPECT_EQ(hr, E_FAIL);
    const std::string description = write.refusal.starts_with("Value must")
                                        ? "Incorrect value range (" + write.value + ") \n" + write.refusal
                                        : write.refusal;
    EXPECT_EQ(error_, description + "\n\\VRK_Device\\" + write.path);
    EXPECT_EQ(Get(write.path, write.at), before);
  }
}

INSTANTIATE_TEST_SUITE_P(Tables, ValueLimits, ::testing::ValuesIn(kTablesOfWrites),
                         [](const auto& info) { return std::string(info.param.name); });

// Levels of vibration are shown and accepted in inches in imperial mode; percentages and speeds have no length.
using LevelRegions = ConverterTest;

TEST_F(LevelRegions, ImperialModeShowsVibrationLevelsInInches) {
  ASSERT_EQ(PutXml(LevelsDocument()), S_OK) << error_;
  ASSERT_EQ(cvt_->put_ImperialSystemMeasurement(1), S_OK);
  EXPECT_EQ(Get(kAverage + "abs_level_region\\high_alarm_level", kFirst), "0.394");
  EXPECT_EQ(Get(kAverage + "maxvalue", kFirst), "3.94");
  EXPECT_EQ(Get("VibroChannels\\VibroChannel\\trn_sens", kFirst), "0.2758");
  EXPECT_EQ(Get(kAverage + "rel_percent_region\\high_warning_level", kFirst), "20");
  EXPECT_EQ(Get(kTachoLevels + "high_alarm_level", kFirst), "1000");

  ASSERT_EQ(Set(kAverage + "abs_level_region\\high_alarm_level", "0.788", kFirst), S_OK) << error_;
  EXPECT_EQ(Set(kAverage + "abs_level_region\\high_warning_level", "0.788", kFirst), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (0.788) \nValue must be less than high_alarm_level (0.788)\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Average\\abs_level_region\\high_warning_level");
  ASSERT_EQ(Set(kAverage + "abs_level_region\\high_alarm_level", "0.394", kFirst), S_OK) << error_;
  ASSERT_EQ(cvt_->put_ImperialSystemMeasurement(0), S_OK);
  EXPECT_EQ(Get(kAverage + "abs_level_region\\high_alarm_level", kFirst), "10");
}

}  // namespace
}  // namespace vrk::test
