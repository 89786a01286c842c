// The vibration channel section through the converter: dictionaries and limits, the frequency and bound rules,
// and the cut-out lists that the document is given each time it is handed out.
#include "converter_fixture.h"
#include "editing/undo_group.h"
#include "schema/cutting_bands.h"
#include "schema/device_v7.h"

namespace vrk::test {
namespace {

// One vibration channel with a linearization table, an overall value, two absolute bands (the first with a
// cut-out list) and two relative bands, in document order 6 then 4.
constexpr char kChannelDocument[] =
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
    "\t\t\t<Linear type=\"0\">\n"
    "\t\t\t\t<Point volt=\"-1000\" value=\"-100\"/>\n"
    "\t\t\t\t<Point volt=\"0\" value=\"0\"/>\n"
    "\t\t\t\t<Point volt=\"1000\" value=\"100\"/>\n"
    "\t\t\t</Linear>\n"
    "\t\t\t<param unit=\"102\"/>\n"
    "\t\t\t<Average number=\"1\" minvalue=\"0\" maxvalue=\"100\"/>\n"
    "\t\t\t<Absolute_bands>\n"
    "\t\t\t\t<band number=\"2\" minvalue=\"0\" maxvalue=\"100\" low_freq=\"10\" high_freq=\"1000\">\n"
    "\t\t\t\t\t<cutting_rel_bands>\n"
    "\t\t\t\t\t\t<cutting_band number=\"4\"/>\n"
    "\t\t\t\t\t</cutting_rel_bands>\n"
    "\t\t\t\t</band>\n"
    "\t\t\t\t<band number=\"3\" minvalue=\"0\" maxvalue=\"100\" low_freq=\"10\" high_freq=\"2000\"/>\n"
    "\t\t\t</Absolute_bands>\n"
    "\t\t\t<Relative_bands>\n"
    "\t\t\t\t<band number=\"6\" minvalue=\"0\" maxvalue=\"100\" shaft=\"1\" factor=\"1\" ranges_type=\"2\""
    " lower_bound=\"5\" upper_bound=\"5\"/>\n"
    "\t\t\t\t<band number=\"4\" minvalue=\"0\" maxvalue=\"100\" shaft=\"1\" factor=\"2\" ranges_type=\"2\""
    " lower_bound=\"5\" upper_bound=\"5\"/>\n"
    "\t\t\t</Relative_bands>\n"
    "\t\t</VibroChannel>\n"
    "\t</VibroChannels>\n"
    "\t<TachoChannels>\n"
    "\t\t<TachoChannel number=\"1\" unit=\"202\" minvalue=\"0\" maxvalue=\"12500\"/>\n"
    "\t</TachoChannels>\n"
    "</VRK_Device>\n";

constexpr char kWave[] = "VibroChannels\\wave_settings\\";
constexpr char kAbsoluteBand[] = "VibroChannels\\VibroChannel\\Absolute_bands\\band\\";
constexpr char kRelativeBand[] = "VibroChannels\\VibroChannel\\Relative_bands\\band\\";

class VibroChannelsTest : public ConverterTest {
 protected:
  void LoadChannel() { ASSERT_EQ(PutXml(kChannelDocument), S_OK) << error_; }
  // The document text as handed out, from `from` up to and including `to`.
  std::string XmlPart(const std::string& from, const std::string& to) {
    const std::string xml = Xml();
    const std::size_t begin = xml.find(from);
    const std::size_t end = xml.find(to, begin);
    if (begin == std::string::npos || end == std::string::npos) return "<missing>";
    return xml.substr(begin, end + to.size() - begin);
  }
};

using WaveSettings = VibroChannelsTest;

TEST_F(WaveSettings, SamplesAndFmaxTakeOnlyTheirDictionaryValues) {
  LoadDefault();
  for (const char* samples : {"8192", "65536"}) EXPECT_EQ(Set(std::string(kWave) + "samples", samples), S_OK) << error_;
  EXPECT_EQ(Set(std::string(kWave) + "samples", "4096"), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (4096) \nValue must be\npositive integer and\none of the following values:\n"
            "8192\n16384\n32768\n65536\n\\VRK_Device\\VibroChannels\\wave_settings\\samples");
  for (const char* fmax : {"250", "8000"}) EXPECT_EQ(Set(std::string(kWave) + "fmax", fmax), S_OK) << error_;
  EXPECT_EQ(Set(std::string(kWave) + "fmax", "3000"), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (3000) \nValue must be\npositive integer and\none of the following values:\n"
            "250\n500\n1000\n2000\n4000\n8000\n\\VRK_Device\\VibroChannels\\wave_settings\\fmax");
}

TEST_F(WaveSettings, FminStaysStrictlyBelowFmax) {
  LoadDefault();
  EXPECT_EQ(Set(std::string(kWave) + "fmin", "4000"), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (4000) \nValue must be less than fmax (4000)\n"
            "\\VRK_Device\\VibroChannels\\wave_settings\\fmin");
  EXPECT_EQ(Set(std::string(kWave) + "fmin", "3999"), S_OK) << error_;
  EXPECT_EQ(Set(std::string(kWave) + "fmax", "2000"), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (2000) \nValue must be greater than fmin (3999)\n"
            "\\VRK_Device\\VibroChannels\\wave_settings\\fmax");
}

using Bands = VibroChannelsTest;

TEST_F(Bands, HighFreqMayReachButNotPassFmax) {
  LoadChannel();
  EXPECT_EQ(Set(std::string(kAbsoluteBand) + "high_freq", "5000", At({0, 0})), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (5000) \nValue must be less than or equal fmax (4000)\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Absolute_bands\\band\\high_freq");
  EXPECT_EQ(Set(std::string(kAbsoluteBand) + "high_freq", "4000", At({0, 0})), S_OK) << error_;
  EXPECT_EQ(Set(std::string(kAbsoluteBand) + "low_freq", "4000", At({0, 0})), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (4000) \nValue must be less than high_freq (4000)\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Absolute_bands\\band\\low_freq");
}

TEST_F(Bands, FmaxCannotDropBelowAnyBandsHighFreq) {
  LoadChannel();
  // The second band is the one in the way; a fractional high frequency (2001 goes up to the next spectral
  // line, 2002.5) counts with its fraction.
  ASSERT_EQ(Set(std::string(kAbsoluteBand) + "high_freq", "2001", At({0, 1})), S_OK) << error_;
  EXPECT_EQ(Set(std::string(kWave) + "fmax", "2000"), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (2000) \nValue must be greater than or equal high_freq (2002.5)\n"
            "\\VRK_Device\\VibroChannels\\wave_settings\\fmax");
  EXPECT_EQ(Get(std::string(kWave) + "fmax"), "4000");
  ASSERT_EQ(Set(std::string(kAbsoluteBand) + "high_freq", "2000", At({0, 1})), S_OK) << error_;
  EXPECT_EQ(Set(std::string(kWave) + "fmax", "2000"), S_OK) << error_;
}

TEST_F(Bands, RelativeBoundsMayBeEqual) {
  LoadChannel();
  EXPECT_EQ(Set(std::string(kRelativeBand) + "lower_bound", "5", At({0, 0})), S_OK) << error_;
  EXPECT_EQ(Set(std::string(kRelativeBand) + "lower_bound", "5.5", At({0, 0})), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (5.5) \nValue must be less than or equal upper_bound (5)\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Relative_bands\\band\\lower_bound");
  EXPECT_EQ(Set(std::string(kRelativeBand) + "upper_bound", "4.5", At({0, 1})), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (4.5) \nValue must be greater than or equal lower_bound (5)\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Relative_bands\\band\\upper_bound");
}

TEST_F(Bands, FactorLimitIsQuotedWithItsOwnFormatting) {
  LoadChannel();
  EXPECT_EQ(Set(std::string(kRelativeBand) + "factor", "0.01", At({0, 0})), S_OK) << error_;
  // factor keeps two decimals, so 0.009 only reaches the check unrounded from a loaded document.
  std::string document = kChannelDocument;
  document.replace(document.find("factor=\"1\""), 10, "factor=\"0.009\"");
  EXPECT_EQ(PutXml(document), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (0.01) \nValue must be\nreal number\ngreater than or equal 0.01\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Relative_bands\\band\\factor");
}

TEST_F(Bands, LinearizationVoltsSpanTheSensorOutput) {
  LoadChannel();
  const std::string volt = "VibroChannels\\VibroChannel\\Linear\\Point\\volt";
  EXPECT_EQ(Set(volt, "-2750", At({0, 0})), S_OK) << error_;
  EXPECT_EQ(Set(volt, "2750", At({0, 2})), S_OK) << error_;
  EXPECT_EQ(Set(volt, "2750.5", At({0, 2})), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (2750.5) \nValue must be\nreal number\n"
            "greater than or equal -2750 and less than or equal 2750\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Linear\\Point\\volt");
}

TEST_F(Bands, RangesReportWindowNamesAndSensitivityLimit) {
  LoadChannel();
  VRK5420CfgConDataRange range{};
  BStr window("VibroChannels\\VibroChannel\\param\\sp_window");
  ASSERT_EQ(cvt_->GetValueRanges(window.get(), MakeIndexes(At({0})).get(), &range), S_OK) << TakeErrorDescription();
  EXPECT_EQ(BStr::Adopt(range.Dictionary).ToUtf8(), "1|Rectangular\n2|Hanning\n3|Hamming\n");
  EXPECT_EQ(BStr::Adopt(range.DefaultVal).ToUtf8(), "2");
  for (BSTR s : {range.MinVal, range.MaxVal, range.Increment}) SysFreeString(s);

  BStr sensitivity("VibroChannels\\VibroChannel\\trn_sens");
  ASSERT_EQ(cvt_->GetValueRanges(sensitivity.get(), MakeIndexes(At({0})).get(), &range), S_OK);
  EXPECT_EQ(range.Type, 6u);
  EXPECT_EQ(range.MinConstraint, 1u);
  EXPECT_EQ(BStr::Adopt(range.MinVal).ToUtf8(), "0.001");
  EXPECT_EQ(BStr::Adopt(range.DefaultVal).ToUtf8(), "7");
  for (BSTR s : {range.MaxVal, range.Increment, range.Dictionary}) SysFreeString(s);
}

using CutOutLists = VibroChannelsTest;

constexpr char kTwoCutOuts[] =
    "<cutting_rel_bands>\n"
    "\t\t\t\t\t\t<cutting_band number=\"6\"/>\n"
    "\t\t\t\t\t\t<cutting_band number=\"4\"/>\n"
    "\t\t\t\t\t</cutting_rel_bands>\n"
    "\t\t\t\t</band>\n"
    "\t\t\t\t<band number=\"3\" minvalue=\"0\" maxvalue=\"100\" low_freq=\"10\" high_freq=\"2000\"/>";

TEST_F(CutOutLists, ListTheChannelsRelativeBandsInDocumentOrder) {
  LoadChannel();
  EXPECT_EQ(XmlPart("<cutting_rel_bands>", "high_freq=\"2000\"/>"), kTwoCutOuts);
  // Handing the document out again changes nothing more.
  EXPECT_EQ(XmlPart("<cutting_rel_bands>", "high_freq=\"2000\"/>"), kTwoCutOuts);
  EXPECT_EQ(Changed(), std::make_pair(1u, 0));
}

TEST_F(CutOutLists, FollowRenumberedAndRemovedRelativeBands) {
  LoadChannel();
  ASSERT_EQ(Set(std::string(kRelativeBand) + "number", "5", At({0, 0})), S_OK) << error_;
  EXPECT_EQ(XmlPart("<cutting_rel_bands>", "</cutting_rel_bands>"),
            "<cutting_rel_bands>\n"
            "\t\t\t\t\t\t<cutting_band number=\"5\"/>\n"
            "\t\t\t\t\t\t<cutting_band number=\"4\"/>\n"
            "\t\t\t\t\t</cutting_rel_bands>");
  ASSERT_EQ(Delete(kRelativeBand, At({0, 0})), S_OK) << error_;
  ASSERT_EQ(Delete(kRelativeBand, At({0, 0})), S_OK) << error_;
  EXPECT_EQ(XmlPart("<cutting_rel_bands", "</band>"), "<cutting_rel_bands/>\n\t\t\t\t</band>");
  EXPECT_EQ(Count(std::string(kAbsoluteBand) + "cutting_rel_bands\\", At({0, 1})), 0u);
}

// Handing the document out inside a bracket fills a list that an edit of the bracket created; a failure later in
// the bracket must still take the list away with the edit that created it.
TEST_F(CutOutLists, AListCreatedInAFailedBracketGoesAwayAfterBeingFilled) {
  LoadChannel();
  const std::string before = Xml();
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  ASSERT_EQ(Create(std::string(kAbsoluteBand) + "cutting_rel_bands\\", At({0, 1})), S_OK) << error_;
  EXPECT_EQ(Count(std::string(kAbsoluteBand) + "cutting_rel_bands\\cutting_band\\", At({0, 1})), 0u);
  EXPECT_NE(Xml(), before);  // the new list is filled as the document is handed out
  EXPECT_EQ(Set(std::string(kRelativeBand) + "number", "5"), E_FAIL);
  EXPECT_EQ(Xml(), before);
}

// Inside a bracket each hand-out of the document refills the lists within the bracket's changes, so a failure
// undoes the refills together with the edits before them, whatever they replaced, and restores every value.
TEST_F(CutOutLists, AFailedBracketUndoesEditsOfAListThatWasRefilledMeanwhile) {
  LoadChannel();
  const std::string before = Xml();
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  ASSERT_EQ(Set(std::string(kRelativeBand) + "lower_bound", "6", At({0, 0})), S_OK) << error_;
  BStr entry(std::string(kAbsoluteBand) + "cutting_rel_bands\\cutting_band\\"), text("<cutting_band number=\"6\"/>");
  ASSERT_EQ(Track(cvt_->SetNodeText(entry.get(), MakeIndexes(At({0, 0, 0})).get(), text.get())), S_OK) << error_;
  Xml();
  EXPECT_EQ(Set(std::string(kRelativeBand) + "number", "5"), E_FAIL);
  EXPECT_EQ(Xml(), before);
  EXPECT_EQ(Get(std::string(kRelativeBand) + "lower_bound", At({0, 0})), "5");
}

TEST(CutOutListRegeneration, RecordedRegenerationUndoesToTheExactText) {
  CNodeTag_VRK_DeviceV7 root;
  root.AttachDocument(dom::Document::parseText(
      u"<VRK_Device><VibroChannels><VibroChannel number=\"1\">"
      u"<Absolute_bands><band number=\"2\"><cutting_rel_bands><cutting_band number=\"9\"/></cutting_rel_bands>"
      u"</band></Absolute_bands>"
      u"<Relative_bands><band number=\"4\"/><band number=\"3\"/></Relative_bands>"
      u"</VibroChannel></VibroChannels></VRK_Device>"));
  const std::string before = root.document().documentElement().xml();
  CUndoXMLGroup group;
  root.SetRecording(&group);
  RegenerateCuttingBands(root);
  root.SetRecording(nullptr);
  EXPECT_NE(root.document().documentElement().xml().find(
                "<cutting_rel_bands>\n\t\t\t\t\t\t<cutting_band number=\"4\"/>\n"
                "\t\t\t\t\t\t<cutting_band number=\"3\"/>\n\t\t\t\t\t</cutting_rel_bands>"),
            std::string::npos);
  group.UndoAll();
  EXPECT_EQ(root.document().documentElement().xml(), before);
  EXPECT_EQ(root.VibroChannels.VibroChannel.Absolute_bands.band.cutting_rel_bands.cutting_band.number.GetValue(
                CIndexList{{true, 1}, {false, 0}, {false, 0}}),
            "9");
}

}  // namespace
}  // namespace vrk::test
