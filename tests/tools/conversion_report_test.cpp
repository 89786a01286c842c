// What an image keeps of a document: the report comes from the document and the image read back.
#include <gtest/gtest.h>

#include <sstream>

#include "convert/bin_export.h"
#include "convert/bin_import.h"
#include "convert/xml_import.h"
#include "difference_text.h"
#include "model/bin_test_support.h"
#include "model/older_documents.h"
#include "platform/oleauto.h"
#include "platform/utf.h"
#include "tools/conversion_report.h"

namespace vrk::tools {
namespace {

// Lossy parts: header texts, base interval, fmin, a relative region, a diagnose, and levels that do not sit on
// whole codes of the coarse transfer scale 0..100.
std::string Document() {
  test::Sections s;
  s.transfer = R"(<Data_transfer_settings param_min_int="0" param_max_int="100"/>)";
  s.region = R"(<Region_settings base_interval_s="60" Hysteresis_percent="5" DelayUp_ms="1000" DelayDn_ms="5000"/>)";
  s.spectrum = R"(<wave_settings samples="8192" fmax="4000" fmin="10"/><spectrum_settings lines="1600"/>)";
  s.vibro = R"(<VibroChannel number="1" unit="102" trn_sens="7" trn_offset="0" hpf="0"><param unit="102"/>)"
            R"(<Average number="1" minvalue="0" maxvalue="100"><abs_level_region high_warning_level="40.3" relay="1"/>)"
            R"(<rel_percent_region high_warning_level="50"/></Average></VibroChannel>)";
  s.tacho = R"(<TachoChannel number="1" unit="202" minvalue="0" maxvalue="13000">)"
            R"(<start_stop_region start_level="1301" stop_level="650"/></TachoChannel>)";
  const std::string document = test::Replaced(test::DocumentXml(s), R"(device_description="")", R"(device_description="Pump")");
  return test::Replaced(document, "<Diagnoses/>",
                        R"(<Diagnoses><Element Number="1"><Diagnose Number="1" Description="bearing" Conclusion="c"/>)"
                        R"(</Element></Diagnoses>)");
}

class ConversionReportTest : public test::EnglishMessagesTest {
 protected:
  // The report of `xml` as the converter would give it: the loaded document against its image read back.
  static ConversionReport ReportOf(const std::string& xml) {
    auto root = ImportXmlText(Utf8ToUtf16(xml), false);
    const BinImage image = ExportBinImage(*root);
    auto back = ImportBinImage(image.bytes.data(), image.bytes.size(), false);
    return CompareWithImage(root->document().text(), back->document().text());
  }
};

TEST_F(ConversionReportTest, ListsEveryValueTheImageLosesOrQuantisesWithItsReason) {
  const ConversionReport report = ReportOf(Document());
  // An empty identifier comes back as the all-zero one; the sensor and tachometer values the document left out
  // come back with the values the image holds for them.
  EXPECT_EQ(DifferencesText(report.values),
            "Cfg\\CfgId: \"\" -> 00000000-0000-0000-0000-000000000000: not carried\n"
            "Header\\device_description: Pump -> \"\": not carried\n"
            "Region_settings\\base_interval_s: 60 -> 0: not carried\n"
            "VibroChannels\\wave_settings\\fmin: 10 -> 0: not carried\n"
            "VibroChannels\\VibroChannel\\Average\\abs_level_region\\high_warning_level #1: 40.3 -> 40: quantised\n"
            "VibroChannels\\VibroChannel\\Average\\rel_percent_region\\high_warning_level #1: 50 -> (absent): "
            "not carried\n"
            "TachoChannels\\TachoChannel\\start_stop_region\\start_level #1: 1301 -> 1300: quantised\n"
            "Diagnoses\\Element\\Number #1: 1 -> (absent): not carried\n"
            "Diagnoses\\Element\\Diagnose\\Number #1 #1: 1 -> (absent): not carried\n"
            "Diagnoses\\Element\\Diagnose\\Description #1 #1: bearing -> (absent): not carried\n"
            "Diagnoses\\Element\\Diagnose\\Conclusion #1 #1: c -> (absent): not carried\n"
            "VibroChannels\\VibroChannel\\param\\sp_window #1: (absent) -> 2: added on reading\n"
            "VibroChannels\\VibroChannel\\param\\average_time_s #1: (absent) -> 1: added on reading\n"
            "TachoChannels\\TachoChannel\\trn_sens #1: (absent) -> 1: added on reading\n"
            "TachoChannels\\TachoChannel\\reductor_coeff #1: (absent) -> 1: added on reading\n");
  EXPECT_EQ(report.Summary(),
            "the image does not carry 9 values (Cfg 1, Header 1, Region_settings 1, wave_settings 1, rel_percent_region 1, "
            "Element 1, Diagnose 3); it quantises 2 (abs_level_region 1, start_stop_region 1)");
}

TEST_F(ConversionReportTest, JsonFormKeepsAbsentSidesAsNull) {
  const ConversionReport report = ReportOf(Document());
  std::vector<ReportedDifference> relative;
  for (const ReportedDifference& value : report.values)
    if (value.difference.path.find("rel_percent_region") != std::string::npos) relative.push_back(value);
  std::ostringstream json;
  PrintDifferencesJson(relative, json);
  EXPECT_EQ(json.str(),
            R"([{"path":"VibroChannels\\VibroChannel\\Average\\rel_percent_region\\high_warning_level",)"
            R"("indexes":["#1"],"before":"50","after":null,"reason":"not carried"}])");
}

TEST_F(ConversionReportTest, ConfigurationTheImageCarriesWholeHasAnEmptyReport) {
  std::string xml = Document();
  for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
           {R"(CfgId="")", R"(CfgId="00000000-0000-0000-0000-000000000000")"},
           {R"(device_description="Pump")", R"(device_description="")"},
           {R"(<param unit="102"/>)", R"(<param unit="102" sp_window="2" average_time_s="1"/>)"},
           {R"(maxvalue="13000">)", R"(maxvalue="13000" trn_sens="1" reductor_coeff="1">)"},
           {R"(base_interval_s="60")", R"(base_interval_s="0")"},
           {R"(fmin="10")", R"(fmin="0")"},
           {R"(<rel_percent_region high_warning_level="50"/>)", ""},
           {R"(high_warning_level="40.3")", R"(high_warning_level="40")"},
           {R"(start_level="1301")", R"(start_level="1300")"},
           {R"(<Element Number="1"><Diagnose Number="1" Description="bearing" Conclusion="c"/></Element>)", ""}})
    xml.replace(xml.find(from), from.size(), to);
  const ConversionReport report = ReportOf(xml);
  EXPECT_TRUE(report.values.empty());
  EXPECT_EQ(report.Summary(), "the image carries every value");
}

}  // namespace
}  // namespace vrk::tools
