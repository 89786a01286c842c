// The version-7 image of a configuration: which tags appear, in which order channels go, and the record values
// whose conversions the seeds' result fingerprints do not reach (unordered channels and cycles, rounded delays,
// channel code 0, bands without cut-out lists, refusals). The seeds' own records are pinned by those fingerprints.
#include <gtest/gtest.h>

#include "bin/byte_io.h"
#include "convert/level_coding.h"
#include "convert/record_codes.h"
#include "interface/conv_exception.h"
#include "platform/oleauto.h"
#include "tests/model/bin_test_support.h"

namespace vrk {
namespace {

using test::ExportTree;
using test::RootOn;
using test::Sections;

class BinExport : public test::EnglishMessagesTest {
 protected:
  // The message of the CConvException that exporting `sections` raises.
  static std::string ExportError(const Sections& sections) {
    try {
      ExportBinImage(*RootOn(sections));
    } catch (const CConvException& e) {
      return e.message() + " | " + e.detail();
    }
    return "<no error>";
  }
};

TEST_F(BinExport, DefaultConfigurationHasOnlyTheFixedTagsAndReturnsTheStoredCrc) {
  auto root = CreateDefaultConfiguration(false);
  const std::u16string before = root->document().text();
  const BinImage image = ExportBinImage(*root);
  EXPECT_EQ(root->document().text(), before);
  EXPECT_TRUE(root->stored_indexes().empty());

  auto tree = test::TreeOf(image);
  EXPECT_EQ(test::PresentTags(*tree), "CONF(CFGH(PBUS ALNR) CFGB(CTAB RELE(DLWA) MBIN))");
  // "CONF" header and record, "CFGH" header, then the CRC at byte 22 of its record.
  EXPECT_EQ(bin::ByteReader(image.bytes.data(), image.bytes.size()).U32(12 + 4 + 12 + 22), image.crc32);
  EXPECT_EQ(tree->ConfigCrc(), image.crc32);
}

TEST_F(BinExport, TheIdentifierIsStoredAsBytesHoweverItIsWritten) {
  Sections s;
  s.cfg = R"(<Cfg CfgId="0123abcd-4567-89EF-01x3-456789abcdef" DeviceType="1"/>)";
  auto tree = ExportTree(*RootOn(s));
  const bin::CONFIGBODYv2& body = tree->ConfigBody().Record();
  EXPECT_EQ(body.cfgId, (std::array<uint8_t, 16>{0x01, 0x23, 0xab, 0xcd, 0x45, 0x67, 0x89, 0xef, 0x01, 0xF3, 0x45,
                                                 0x67, 0x89, 0xab, 0xcd, 0xef}));
  EXPECT_EQ(CfgIdBytes(""), (std::array<uint8_t, 16>{}));
  EXPECT_EQ(CfgIdBytes("AB\xC3\xA9"), (std::array<uint8_t, 16>{'A', 'B', 0xE9}));
  EXPECT_EQ(CfgIdText(body.cfgId), "0123abcd-4567-89ef-01f3-456789abcdef");
}

TEST_F(BinExport, ChannelsAscendInSensorsAndChannelsWhileLinearisationFollowsTheDocument) {
  const std::string points = R"(<Linear type="0"><Point volt="0" value="0"/><Point volt="1" value="1"/></Linear>)";
  Sections s;
  s.vibro = R"(<VibroChannel number="3" unit="102" trn_sens="3">)" + points + R"(<param unit="102"/></VibroChannel>)" +
            R"(<VibroChannel number="1" unit="102" trn_sens="1">)" + points + R"(<param unit="102"/></VibroChannel>)";
  auto tree = ExportTree(*RootOn(s));
  std::string order;  // sensors, channels, linearisations
  for (const auto& sensor : tree->ConfigHeader().asns.List().Records()) order += std::to_string(sensor.channel) + " ";
  for (const auto& channel : tree->ConfigBody().acfg.Channels()) order += std::to_string(channel->Record().channel) + " ";
  for (const auto& linear : tree->ConfigHeader().alnr.Children()) order += std::to_string(linear->Record().channel) + " ";
  EXPECT_EQ(order, "0 2 0 2 2 0 ");
  EXPECT_EQ(tree->ConfigHeader().asns.List().Records().at(1).trnSens, 3.0f);
  EXPECT_EQ(tree->ConfigHeader().alnr.Children().at(0)->Record().pointCount, 2);
  EXPECT_EQ(tree->ConfigHeader().alnr.Record().count, 2);
}

// The bands of the every-value seed have a cut-out list; these have none, or an empty one, and the narrowest
// band there is.
TEST_F(BinExport, AbsoluteBandsAreStoredInSpectralLines) {
  Sections s;
  s.vibro = R"(<VibroChannel number="1" unit="102"><param unit="102"/><Absolute_bands>)"
            R"(<band number="1" value_type="2" low_freq="10" high_freq="20" minvalue="1" maxvalue="9"/>)"
            R"(<band number="2" value_type="3" low_freq="2.5" high_freq="2.5" minvalue="0" maxvalue="1">)"
            R"(<cutting_rel_bands/></band>)"
            R"(</Absolute_bands></VibroChannel>)";
  auto tree = ExportTree(*RootOn(s));
  const auto& p = tree->ConfigBody().acfg.Channels().at(0)->List().Records();
  ASSERT_EQ(p.size(), 2u);
  EXPECT_EQ(p[0].code, bin::kParamCodeAbsoluteBandType2);
  EXPECT_EQ(p[0].ExtensionU16(bin::kExtAbsFirstLine), 4);
  EXPECT_EQ(p[0].ExtensionU16(bin::kExtAbsLineCount), 5);
  EXPECT_EQ(p[0].ExtensionU16(bin::kExtAbsNoCutting), 1);
  EXPECT_EQ(p[1].code, bin::kParamCodeAbsoluteBandType3);
  EXPECT_EQ(p[1].ExtensionU16(bin::kExtAbsLineCount), 1);
  EXPECT_EQ(p[1].ExtensionU16(bin::kExtAbsNoCutting), 0);
}

TEST_F(BinExport, ChannelReferencesBecomeChannelCodes) {
  Sections s;
  s.current_outputs = R"(<Output Number="1"><Tag ChannelNum="2" ParamNum="7"/></Output>)"
                      R"(<Output Number="2"><Tag ChannelNum="50" ParamNum="0"/></Output>)"
                      R"(<Output Number="3"><Tag ChannelNum="100" ParamNum="4"/></Output>)"
                      R"(<Output Number="4"><Tag ChannelNum="0" ParamNum="0"/></Output>)";
  auto tree = ExportTree(*RootOn(s));
  std::string codes;
  for (const auto& output : tree->ConfigBody().cout.List().Records())
    codes += std::to_string(output.channelCode) + ":" + std::to_string(output.paramNum) + " ";
  EXPECT_EQ(codes, "1:7 16384:0 32768:4 65535:0 ");
  EXPECT_EQ(ChannelOfCode(0x4000), 50u);
  EXPECT_EQ(ChannelOfCode(0x4006), 0u);
  EXPECT_EQ(ChannelOfCode(0xFFFF), 0u);
}

TEST_F(BinExport, ExchangeCyclesOnlyForAMasterWithCycles) {
  Sections s;
  s.modbus = R"(<Modbus used="0" type="1"><ExchangeCycle/></Modbus>)";
  EXPECT_FALSE(ExportTree(*RootOn(s))->ConfigBody().mbmc.IsPresent());

  s.modbus = R"(<Modbus used="0" type="1"><ExchangeCycle>)"
             R"(<Cycle Number="2" CycleTime="2147483648" SlaveTimeOut="2" MasterMinDelay="3"/>)"
             R"(<Cycle Number="1" CycleTime="10" SlaveTimeOut="20" MasterMinDelay="30"><Commands>)"
             R"(<Command Number="1" Function="16" SlaveAddress="247" AddressIn="1" AddressEx="2" Count="3"/>)"
             R"(<Command Number="2" Function="4" SlaveAddress="1" AddressIn="0" AddressEx="0" Count="1"/>)"
             R"(</Commands></Cycle></ExchangeCycle></Modbus>)";
  auto tree = ExportTree(*RootOn(s));
  const auto& cycles = tree->ConfigBody().mbmc.Children();
  ASSERT_EQ(cycles.size(), 2u);
  EXPECT_EQ(tree->ConfigBody().mbmc.Record().count, 2);
  EXPECT_EQ(cycles[0]->Record().cycleTime, 10u);
  EXPECT_EQ(cycles[0]->Record().commandCount, 2);
  EXPECT_EQ(cycles[0]->List().Records().at(0).accessKind, 2);
  EXPECT_EQ(cycles[0]->List().Records().at(1).accessKind, 0);
  EXPECT_EQ(cycles[1]->Record().cycleTime, 2147483648u);
  EXPECT_EQ(cycles[1]->Record().commandCount, 0);
  EXPECT_FALSE(tree->ConfigHeader().mbus.IsPresent());
  EXPECT_FALSE(tree->ConfigBody().mout.IsPresent());

  EXPECT_EQ(AccessKindOf(1), 1);
  EXPECT_EQ(AccessKindOf(15), 3);
  EXPECT_EQ(AccessKindOf(6), 2);
  EXPECT_EQ(AccessKindOf(7), 0);
}

TEST_F(BinExport, DelaysAreStoredInDeviceCycles) {
  Sections s;
  s.spectrum = R"(<wave_settings samples="8192" fmax="250" fmin="0"/><spectrum_settings lines="800"/>)";
  s.region = R"(<Region_settings base_interval_s="0" Hysteresis_percent="0" DelayUp_ms="1000" DelayDn_ms="0"/>)";
  s.relay = R"(<Relay><WarningDelay On_ms="1000" Off_ms="0"/><AlarmDelay On_ms="4800" Off_ms="8000"/></Relay>)";
  s.tacho = R"(<TachoChannel number="1" unit="202" minvalue="0" maxvalue="100">)"
            R"(<abs_level_region high_alarm_level="50"/>)"
            R"(</TachoChannel>)";
  auto tree = ExportTree(*RootOn(s));
  const auto& delays = tree->ConfigBody().rele.dlwa.Records();
  ASSERT_EQ(delays.size(), 2u);
  EXPECT_EQ(delays[0].onCycles, 0);  // 1000 ms is 0.3 cycles of 3200 ms
  EXPECT_EQ(delays[0].offCycles, 0);
  EXPECT_EQ(delays[1].onCycles, 2);  // one and a half cycles round away from zero
  EXPECT_EQ(delays[1].offCycles, 3);
  const auto& threshold = tree->ConfigBody().thrs.List().Records().at(0);
  EXPECT_EQ(threshold.tripDelay, 1);  // region delays take at least one cycle
  EXPECT_EQ(threshold.releaseDelay, 1);
}

TEST_F(BinExport, UnusedReadinessWritesNoThresholdRecords) {
  Sections s;
  s.readiness = R"(<Readiness used="0"><Diagnose Number="1" ParamNumber="1"/></Readiness>)";
  EXPECT_FALSE(ExportTree(*RootOn(s))->ConfigBody().thrs.IsPresent());
}

TEST_F(BinExport, ATestValueForAMissingOutputIsRefused) {
  Sections s;
  s.test = R"(<Test used="1" TG0="0" TG1="0" TG2="0" TGE0="0" TGE1="0" TGE2="0" Relay1="0" Relay2="0" Relay3="0")"
           R"( Relay4="0"><Parameters><Parameter Number="1" OutputNumber="3" Value="25"/></Parameters></Test>)";
  EXPECT_EQ(ExportError(s),
            "The node \"\\VRK_Device\\Test\\Parameters\\Parameter\" must refer to one of existing nodes "
            "\"\\VRK_Device\\Modbus\\Slave_outputs\\Output\" | \\VRK_Device\\Test\\Parameters\\Parameter");
}

TEST_F(BinExport, UnreadableValuesFailWithTheSchemaMessages) {
  Sections s;
  s.relay = R"(<Relay><WarningDelay On_ms="0" Off_ms="0"/><AlarmDelay On_ms="0"/></Relay>)";
  EXPECT_EQ(ExportError(s), "Attribute is not specified | \\VRK_Device\\Relay\\AlarmDelay\\Off_ms");
  s = Sections();
  s.current_outputs = R"(<Output Number="1"><Tag ChannelNum="70000" ParamNum="0"/></Output>)";
  EXPECT_EQ(ExportError(s), "Incorrect value type | \\VRK_Device\\current-outputs\\Output\\Tag\\ChannelNum");
  // A real beyond the image's 32-bit reals would come back as an infinity that no document can hold.
  s = Sections();
  s.inputs = R"(<Input Number="1" MinPhisValue="-1e39" MaxPhisValue="50" MinInputValue="0" MaxInputValue="4095"/>)";
  EXPECT_EQ(ExportError(s), "Incorrect value type | \\VRK_Device\\modbus-inputs\\Input\\MinPhisValue");
}

TEST(RecordCodes, UnitsComeBackFromSensorKindAndIntegration) {
  for (uint16_t channel : {kUnitAcceleration, kUnitVelocity, kUnitDisplacement})
    for (uint16_t param : {kUnitAcceleration, kUnitVelocity, kUnitDisplacement}) {
      const SensorCoding coding = EncodeUnits(channel, param);
      const std::optional<ChannelUnits> units = DecodeUnits(coding.sensor_kind, coding.integration);
      ASSERT_TRUE(units);
      EXPECT_EQ(units->channel, channel);
      EXPECT_EQ(units->param, param);
    }
  EXPECT_EQ(EncodeUnits(kUnitAcceleration, kUnitDisplacement).integration, 2);
  EXPECT_EQ(EncodeUnits(kUnitDisplacementMm, kUnitDisplacementMm).sensor_kind, 2);
  EXPECT_EQ(EncodeUnits(kUnitAcceleration, kUnitDisplacementMm).integration, 0);
  EXPECT_EQ(DecodeUnits(2, 1)->param, kUnitDisplacementMm);
  EXPECT_EQ(DecodeUnits(3, 0)->channel, kUnitAcceleration);
  EXPECT_EQ(DecodeUnits(1, 1)->param, kUnitDisplacement);
  EXPECT_FALSE(DecodeUnits(4, 0));
}

TEST(LevelCoding, CodesRoundHalvesAwayAndStayWithinSixteenBits) {
  EXPECT_EQ(EncodeLevel(0.5, {-8, 8}, {0, 16}), 9);  // 8.5
  EXPECT_EQ(EncodeLevel(-0.5, {-8, 8}, {0, 16}), 8);  // 7.5
  const LevelScale scale{1000, 3000};
  const PhysicalRange range{-10, 10};
  EXPECT_EQ(EncodeLevel(-10, range, scale), 1000);
  EXPECT_EQ(EncodeLevel(-200, range, scale), 0);
  EXPECT_EQ(EncodeLevel(1000, range, scale), 65535);
  EXPECT_DOUBLE_EQ(DecodeLevel(2500, range, scale), 5);
  EXPECT_EQ(EncodeLevel(3, {3, 3}, scale), 1000);
  EXPECT_DOUBLE_EQ(DecodeLevel(7, range, {5, 5}), -10);
}

}  // namespace
}  // namespace vrk
