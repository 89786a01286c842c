// Reading version-7 images back: round trips of full configurations, the values an image does not carry, the
// records only a device or another writer produces, and the images that are refused.
#include <gtest/gtest.h>

#include "bin/seed_files.h"
#include "convert/bin_import.h"
#include "interface/conv_exception.h"
#include "platform/oleauto.h"
#include "tests/model/bin_test_support.h"

namespace vrk {
namespace {

using test::AllValues;
using test::RootOn;
using test::Sections;

// Two vibration channels (bands, levels, linearisation), two tacho channels, Modbus master with cycles and slave
// outputs, test mode, readiness, a Modbus input; every value the image carries is set explicitly, and the levels
// sit on whole codes of their scales so that they decode exactly. The document is also a seed of the XML fuzzer.
std::unique_ptr<CNodeTag_VRK_DeviceV7> LoadedFullConfiguration() {
  const std::string text = test::SourceFileText("fuzz/corpus/xml/v7_every_value_an_image_carries.xml");
  return ImportXmlText(Utf8ToUtf16(text), false);
}

class BinImport : public test::EnglishMessagesTest {
 protected:
  static std::unique_ptr<CNodeTag_VRK_DeviceV7> Import(const std::vector<uint8_t>& bytes) {
    return ImportBinImage(bytes.data(), bytes.size(), false);
  }

  // The message and detail of the CConvException that importing `bytes` raises.
  static std::string ImportError(const std::vector<uint8_t>& bytes) {
    try {
      Import(bytes);
    } catch (const CConvException& e) {
      return e.message() + " | " + e.detail();
    }
    return "<no error>";
  }

  // The image of `sections`, its tree changed by `change` and written again.
  template <class CHANGE>
  static std::vector<uint8_t> Changed(const Sections& sections, CHANGE change) {
    auto tree = test::ExportTree(*RootOn(sections));
    change(*tree);
    return bin::WriteImage(*tree);
  }
};

TEST_F(BinImport, FullConfigurationComesBackWithItsValuesAndItsImage) {
  auto original = LoadedFullConfiguration();
  const BinImage image = ExportBinImage(*original);
  auto imported = Import(image.bytes);
  const BinImage again = ExportBinImage(*imported);
  EXPECT_EQ(again.bytes, image.bytes);
  EXPECT_EQ(again.crc32, image.crc32);
  original->RefreshDerivedValues();
  imported->RefreshDerivedValues();
  EXPECT_EQ(AllValues(*imported), AllValues(*original));
  EXPECT_FALSE(imported->compatibility_scada21());
}

TEST_F(BinImport, DefaultConfigurationComesBackWithoutBaseIntervalAndWithAnIdentifierInGuidForm) {
  auto original = CreateDefaultConfiguration(false);
  const BinImage image = ExportBinImage(*original);
  auto imported = Import(image.bytes);
  EXPECT_EQ(ExportBinImage(*imported).bytes, image.bytes);
  EXPECT_EQ(imported->Region_settings.base_interval_s.GetValue({}), "0");
  EXPECT_EQ(imported->Cfg.CfgId.GetValue({}), "00000000-0000-0000-0000-000000000000");
  original->Region_settings.base_interval_s.SetValue("0", {}, false);
  original->Cfg.CfgId.SetValue("00000000-0000-0000-0000-000000000000", {}, false);
  EXPECT_EQ(AllValues(*imported), AllValues(*original));
}

TEST_F(BinImport, UnknownVersionWordsAreRefused) {
  const std::vector<uint8_t> image = ExportBinImage(*CreateDefaultConfiguration(false)).bytes;
  for (uint8_t version : {4, 5, 8}) {
    std::vector<uint8_t> other = image;
    other[12] = version;  // the root record's version word, outside the CRC
    EXPECT_EQ(ImportError(other), "File version is not supported | ") << int(version);
  }
}

// The header's description field holds the device description and the serial number, four characters each.
TEST_F(BinImport, ADescriptionTooShortForItsSerialNumberLeavesBothEmpty) {
  const auto bytes = Changed(Sections(), [](bin::CTagBIN_CONFv7& tree) {
    tree.ConfigHeader().Record().description = {'A', 'B', 'C'};
  });
  auto root = Import(bytes);
  EXPECT_EQ(root->Header.device_description.GetValue({}), "");
  EXPECT_EQ(root->Header.serial_number.GetValue({}), "");
}

TEST_F(BinImport, TachoSpeedsPerSecondComeBackPerMinute) {
  Sections s;
  s.tacho = R"(<TachoChannel number="1" unit="201" minvalue="10" maxvalue="210" trn_sens="1" reductor_coeff="1">)"
            R"(<abs_level_region high_alarm_level="110" relay="0"/>)"
            R"(<start_stop_region start_level="60" stop_level="35"/></TachoChannel>)";
  auto root = Import(ExportBinImage(*RootOn(s)).bytes);
  auto& tacho = root->TachoChannels.TachoChannel;
  const CIndexList at{{true, 1}};
  EXPECT_EQ(tacho.unit.GetValue(at), "202");
  EXPECT_EQ(tacho.minvalue.GetValue(at), "600");
  EXPECT_EQ(tacho.maxvalue.GetValue(at), "12600");
  EXPECT_EQ(tacho.start_stop_region.start_level.GetValue(at), "3600");
  EXPECT_EQ(tacho.start_stop_region.stop_level.GetValue(at), "2100");
  EXPECT_EQ(tacho.abs_level_region.high_alarm_level.GetValue(at), "6600");
}

TEST_F(BinImport, PhaseNeedsARelativeBandBeforeIt) {
  Sections s;
  s.vibro = R"(<VibroChannel number="1" unit="102"><param unit="102"/>)"
            R"(<Average number="1" minvalue="0" maxvalue="1"/></VibroChannel>)";
  const auto bytes = Changed(s, [](bin::CTagBIN_CONFv7& tree) {
    auto& channel = *tree.ConfigBody().acfg.Channels().at(0);
    bin::PARAMSTRUCTv2 phase;
    phase.code = bin::kParamCodePhase;
    phase.number = 1;
    phase.extension.resize(6);
    channel.List().Records().push_back(phase);
    channel.Record().paramCount = 2;
  });
  EXPECT_EQ(ImportError(bytes),
            "Parameter \"Phase\" is not associated to parameter \"Relative band\" | "
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Relative_bands\\band\\phase");
}

TEST_F(BinImport, MarkedSlotsGiveMonitoringElementsTheirTags) {
  Sections s;
  s.tacho = R"(<TachoChannel number="3" unit="202" minvalue="0" maxvalue="100">)"
            R"(<abs_level_region high_warning_level="50"/></TachoChannel>)";
  const auto bytes = Changed(s, [](bin::CTagBIN_CONFv7& tree) {
    tree.ConfigBody().thrs.List().Records().at(0).slots[4].action = bin::kSlotActionMonitoredAbsolute;
  });
  auto root = Import(bytes);
  auto& element = root->Monitoring.Element;
  EXPECT_EQ(element.CountNodes({}), 5u);
  EXPECT_EQ(element.Tag.ChannelNum_ParamNum.GetValue({{true, 5}, {false, 0}}), std::to_string(52 << 16));
  EXPECT_EQ(element.Tag.CountNodes({{true, 1}}), 0u);
}

// Low warning and high alarm share a level code; with equal delays only the order of the records tells them
// apart: a falling run of codes is low, a rising one high.
TEST_F(BinImport, WithEqualDelaysLevelSidesFollowTheOrder) {
  Sections s;
  s.region = R"(<Region_settings base_interval_s="0" Hysteresis_percent="0" DelayUp_ms="1000" DelayDn_ms="1000"/>)";
  s.tacho = R"(<TachoChannel number="1" unit="202" minvalue="0" maxvalue="100">)"
            R"(<abs_level_region low_alarm_level="10" low_warning_level="20" high_alarm_level="80"/>)"
            R"(</TachoChannel><TachoChannel number="2" unit="202" minvalue="0" maxvalue="100">)"
            R"(<abs_level_region high_alarm_level="70"/></TachoChannel>)";
  auto root = Import(ExportBinImage(*RootOn(s)).bytes);
  const CIndexList at{{true, 1}};
  auto& levels = root->TachoChannels.TachoChannel.abs_level_region;
  EXPECT_EQ(levels.low_alarm_level.GetValue(at), "10");
  EXPECT_EQ(levels.low_warning_level.GetValue(at), "20");
  EXPECT_EQ(levels.high_alarm_level.GetValue(at), "80");
  EXPECT_EQ(levels.high_alarm_level.GetValue({{true, 2}}), "70");
  EXPECT_FALSE(levels.low_warning_level.FindValue({{true, 2}}));
}

}  // namespace
}  // namespace vrk
