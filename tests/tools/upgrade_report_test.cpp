// What the upgrade of an older configuration changes: the report compares the input as read with the result.
#include <gtest/gtest.h>

#include <sstream>

#include "convert/bin_import.h"
#include "convert/xml_import.h"
#include "difference_text.h"
#include "model/bin_test_support.h"
#include "model/older_documents.h"
#include "model/older_images.h"
#include "platform/oleauto.h"
#include "platform/utf.h"
#include "tools/upgrade_report.h"

namespace vrk::tools {
namespace {

// A version-6 document: a tachometer in revolutions per second, Profibus settings in the header, a channel
// measuring displacement and one measuring velocity, and no AlarmDelay.
std::string Document() {
  std::string document = test::OlderDocument(6, test::DocumentSize::kMinimal);
  document = test::Replaced(document, R"(serial_number="1234")", R"(serial_number="1234" baudrate="9600")");
  document = test::Replaced(document, "</VibroChannels>",
                            R"(<VibroChannel number="1" unit="103" trn_sens="7"><param unit="103"/></VibroChannel>)"
                            R"(<VibroChannel number="2" unit="102" trn_sens="7"><param unit="102"/></VibroChannel>)"
                            "</VibroChannels>");
  return test::Replaced(document, "<TachoChannels>",
                        R"(<TachoChannels><TachoChannel number="1" unit="201" minvalue="10" maxvalue="100">)"
                        R"(<start_stop_region start_level="20" stop_level="15"/></TachoChannel>)");
}

class UpgradeReportTest : public test::EnglishMessagesTest {
 protected:
  static UpgradeReport ReportOf(const std::string& xml) {
    auto root = ImportXmlText(Utf8ToUtf16(xml), false);
    return CompareWithUpgrade(ReadUpgradeInput(xml), root->document().text());
  }
};

TEST_F(UpgradeReportTest, ListsExactlyWhatTheUpgradeDroppedAddedAndChanged) {
  const UpgradeReport report = ReportOf(Document());
  // The listing, one line a value: location, before and after, and the reason.
  EXPECT_EQ(DifferencesText(report.values), R"(VersionInfo\version: 6 -> 7: changed by the upgrade
Header\baudrate: 9600 -> (absent): dropped by the upgrade
TachoChannels\TachoChannel\unit #1: 201 -> 202: changed by the upgrade
TachoChannels\TachoChannel\minvalue #1: 10 -> 600: changed by the upgrade
TachoChannels\TachoChannel\maxvalue #1: 100 -> 6000: changed by the upgrade
TachoChannels\TachoChannel\start_stop_region\start_level #1: 20 -> 1200: changed by the upgrade
TachoChannels\TachoChannel\start_stop_region\stop_level #1: 15 -> 900: changed by the upgrade
VibroChannels\VibroChannel\hpf #1: (absent) -> 1: added by the upgrade
VibroChannels\VibroChannel\hpf #2: (absent) -> 0: added with its default
Relay\AlarmDelay\On_ms: (absent) -> 0: added by the upgrade
Relay\AlarmDelay\Off_ms: (absent) -> 0: added by the upgrade
)");
  EXPECT_EQ(report.Summary(), "upgraded from version 6: 1 value dropped, 1 added with its default, 3 added, 6 changed");
}

// Versions 2 to 6 hold nothing that version 7 has not: the upgrade drops only what the load passes remove.
TEST_F(UpgradeReportTest, UpgradesDropNothingBothVersionsHave) {
  for (uint16_t version : {2, 3, 6}) {
    const UpgradeReport report = ReportOf(test::OlderDocument(version, test::DocumentSize::kFull));
    EXPECT_EQ(report.from, version);
    for (const ReportedDifference& value : report.values) {
      if (value.reason == kDroppedByUpgrade) {
        EXPECT_TRUE(value.difference.path.starts_with("Header\\")) << version << ": " << value.difference.path;
      }
    }
  }
  // Version 1 loses its own layout: the channel's range, Overall_RMS (now an absolute band) and the level
  // regions of phases; renumbered bands and the references to them leave their old locations (keys).
  const UpgradeReport report = ReportOf(test::OlderDocument(1, test::DocumentSize::kFull));
  std::ostringstream dropped;
  for (const ReportedDifference& value : report.values)
    if (value.reason == kDroppedByUpgrade) dropped << FormatLocation(value.difference.path, value.difference.indexes) << "\n";
  EXPECT_EQ(dropped.str(),
            "Header\\profibus_address\n"
            "Header\\baudrate\n"
            "VibroChannels\\VibroChannel\\param\\minvalue #1\n"
            "VibroChannels\\VibroChannel\\param\\maxvalue #1\n"
            "VibroChannels\\VibroChannel\\Overall_RMS\\low_freq #1\n"
            "VibroChannels\\VibroChannel\\Overall_RMS\\high_freq #1\n"
            "VibroChannels\\VibroChannel\\Absolute_bands\\band\\number #1 #1\n"
            "VibroChannels\\VibroChannel\\Absolute_bands\\band\\cutting_rel_bands\\cutting_band\\number #1 #1 #2\n"
            "VibroChannels\\VibroChannel\\Relative_bands\\band\\number #1 #2\n"
            "VibroChannels\\VibroChannel\\Relative_bands\\band\\phase\\ #1 #2\n"
            "VibroChannels\\VibroChannel\\Relative_bands\\band\\phase\\abs_level_region\\high_warning_level #1 #2\n"
            "VibroChannels\\VibroChannel\\param\\minvalue #2\n"
            "VibroChannels\\VibroChannel\\param\\maxvalue #2\n"
            "Monitoring\\Element\\Tag\\ParamNum #1 #65556\n");
  // The other values of the renumbered bands only moved.
  int moved = 0;
  for (const ReportedDifference& value : report.values) moved += value.reason == kMovedByUpgrade;
  EXPECT_GT(moved, 0);
}

TEST_F(UpgradeReportTest, TheUpgradedDocumentHasNothingLeftToUpgrade) {
  const std::string upgraded = Utf16ToUtf8(ImportXmlText(Utf8ToUtf16(Document()), false)->document().text());
  const UpgradeReport report = ReportOf(upgraded);
  EXPECT_EQ(report.from, 7);
  EXPECT_TRUE(report.values.empty());
  EXPECT_EQ(report.Summary(), "version 7: nothing to upgrade");
}

TEST_F(UpgradeReportTest, NamesWhatTheImporterOfAnImageDidNotRead) {
  const auto report_of = [](const std::vector<uint8_t>& image) {
    const std::string bytes(image.begin(), image.end());
    return CompareWithUpgrade(ReadUpgradeInput(bytes), ImportBinImage(image.data(), image.size(), false)->document().text());
  };
  // Version 1 keeps a body record whose layout is not known.
  const UpgradeReport v1 = report_of(test::Version1Image(test::ImageSize::kFull));
  ASSERT_EQ(v1.unread, std::vector<std::string>{"CFGB: the version-1 body record (30 bytes of an unknown layout)"});
  EXPECT_TRUE(v1.Summary().starts_with("upgraded from version 1: "));
  EXPECT_TRUE(v1.Summary().ends_with("; not read: CFGB: the version-1 body record (30 bytes of an unknown layout)"));

  // Profibus settings count only when they are not those every exported image carries.
  EXPECT_TRUE(report_of(test::Version6Image(test::ImageSize::kFull)).unread.empty());
  bin::CTagBIN_CONFv6 tree;
  tree.SetPresent(true);
  tree.Record().version = 6;
  test::older_images::FillHeader(tree.ConfigHeader(), false);
  test::older_images::FillVersion2Body(tree.ConfigHeader(), tree.ConfigBody(), false);
  tree.ConfigHeader().pbus.SetPresent(true);
  test::older_images::Records(tree.ConfigHeader().pbus, 1)[0].settings = {1, 2, 3, 4, 5};
  auto& rgpa = tree.ConfigBody().rgpa;
  rgpa.SetPresent(true);
  rgpa.Record().count = 2;
  test::older_images::Records(rgpa.List(), 2);
  const UpgradeReport v6 = report_of(bin::WriteImage(tree));
  EXPECT_EQ(v6.unread, (std::vector<std::string>{"PBUS: Profibus settings", "RGPA: 2 recommendation records"}));
  EXPECT_TRUE(v6.Summary().ends_with("; not read: PBUS: Profibus settings; RGPA: 2 recommendation records"))
      << v6.Summary();
}

}  // namespace
}  // namespace vrk::tools
