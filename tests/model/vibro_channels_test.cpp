// The vibration channel section through the converter: a limit quoted with its own formatting, and the cut-out
// lists that the document is given each time it is handed out.
#include "parameter_documents.h"
#include "editing/undo_group.h"
#include "schema/cutting_bands.h"
#include "schema/device_v7.h"

namespace vrk::test {
namespace {

// One vibration channel with a linearization table, an overall value, two absolute bands (the first with a
// cut-out list) and two relative bands, in document order 6 then 4.
const std::string kChannelDocument = Document(
    Vibro(1, "<Linear type=\"0\"><Point volt=\"-1000\" value=\"-100\"/><Point volt=\"0\" value=\"0\"/>"
             "<Point volt=\"1000\" value=\"100\"/></Linear>" + Overall("Average", 1) +
                 Absolute("<band number=\"2\" minvalue=\"0\" maxvalue=\"100\" low_freq=\"10\" high_freq=\"1000\">"
                          "<cutting_rel_bands><cutting_band number=\"4\"/></cutting_rel_bands></band>"
                          "<band number=\"3\" minvalue=\"0\" maxvalue=\"100\" low_freq=\"10\" high_freq=\"2000\"/>") +
                 Relative(RelativeBand(6, 1) + RelativeBand(4, 1, "2"))),
    Tacho(1));


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

using Bands = VibroChannelsTest;

TEST_F(Bands, ALimitIsQuotedWithItsOwnFormatting) {
  LoadChannel();
  EXPECT_EQ(Set(std::string(kRelativeBandPath) + "factor", "0.01", At({0, 0})), S_OK) << error_;
  // factor keeps two decimals, so 0.009 only reaches the check unrounded from a loaded document.
  std::string document = kChannelDocument;
  document.replace(document.find("factor=\"1\""), 10, "factor=\"0.009\"");
  EXPECT_EQ(PutXml(document), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (0.01) \nValue must be\nreal number\ngreater than or equal 0.01\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Relative_bands\\band\\factor");
}

using CutOutLists = VibroChannelsTest;

constexpr char kTwoCutOuts[] =
    "<cutting_rel_bands>\n"
    "\t\t\t\t\t\t<cutting_band number=\"6\"/>\n"
    "\t\t\t\t\t\t<cutting_band number=\"4\"/>\n"
    "\t\t\t\t\t</cutting_rel_bands></band>"
    "<band number=\"3\" minvalue=\"0\" maxvalue=\"100\" low_freq=\"10\" high_freq=\"2000\"/>";

TEST_F(CutOutLists, ListTheChannelsRelativeBandsInDocumentOrderFollowingRenumberingAndRemoval) {
  LoadChannel();
  EXPECT_EQ(XmlPart("<cutting_rel_bands>", "high_freq=\"2000\"/>"), kTwoCutOuts);
  // Handing the document out again changes nothing more.
  EXPECT_EQ(XmlPart("<cutting_rel_bands>", "high_freq=\"2000\"/>"), kTwoCutOuts);
  EXPECT_EQ(Changed(), std::make_pair(1u, 0));
  ASSERT_EQ(Set(std::string(kRelativeBandPath) + "number", "5", At({0, 0})), S_OK) << error_;
  EXPECT_EQ(XmlPart("<cutting_rel_bands>", "</cutting_rel_bands>"),
            "<cutting_rel_bands>\n"
            "\t\t\t\t\t\t<cutting_band number=\"5\"/>\n"
            "\t\t\t\t\t\t<cutting_band number=\"4\"/>\n"
            "\t\t\t\t\t</cutting_rel_bands>");
  ASSERT_EQ(Delete(kRelativeBandPath, At({0, 0})), S_OK) << error_;
  ASSERT_EQ(Delete(kRelativeBandPath, At({0, 0})), S_OK) << error_;
  EXPECT_EQ(XmlPart("<cutting_rel_bands", "</band>"), "<cutting_rel_bands/></band>");
  EXPECT_EQ(Count(std::string(kAbsoluteBandPath) + "cutting_rel_bands\\", At({0, 1})), 0u);
}

// Handing the document out inside a bracket fills a list that an edit of the bracket created; a failure later in
// the bracket must still take the list away with the edit that created it.
TEST_F(CutOutLists, AListCreatedInAFailedBracketGoesAwayAfterBeingFilled) {
  LoadChannel();
  const std::string before = Xml();
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  ASSERT_EQ(Create(std::string(kAbsoluteBandPath) + "cutting_rel_bands\\", At({0, 1})), S_OK) << error_;
  EXPECT_EQ(Count(std::string(kAbsoluteBandPath) + "cutting_rel_bands\\cutting_band\\", At({0, 1})), 0u);
  EXPECT_NE(Xml(), before);  // the new list is filled as the document is handed out
  EXPECT_EQ(Set(std::string(kRelativeBandPath) + "number", "5"), E_FAIL);
  EXPECT_EQ(Xml(), before);
}

// Inside a bracket each hand-out of the document refills the lists within the bracket's changes, so a failure
// undoes the refills together with the edits before them, whatever they replaced, and restores every value.
TEST_F(CutOutLists, AFailedBracketUndoesEditsOfAListThatWasRefilledMeanwhile) {
  LoadChannel();
  const std::string before = Xml();
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  ASSERT_EQ(Set(std::string(kRelativeBandPath) + "lower_bound", "6", At({0, 0})), S_OK) << error_;
  BStr entry(std::string(kAbsoluteBandPath) + "cutting_rel_bands\\cutting_band\\");
  BStr text("<cutting_band number=\"6\"/>");
  ASSERT_EQ(Track(cvt_->SetNodeText(entry.get(), MakeIndexes(At({0, 0, 0})).get(), text.get())), S_OK) << error_;
  Xml();
  EXPECT_EQ(Set(std::string(kRelativeBandPath) + "number", "5"), E_FAIL);
  EXPECT_EQ(Xml(), before);
  EXPECT_EQ(Get(std::string(kRelativeBandPath) + "lower_bound", At({0, 0})), "5");
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
