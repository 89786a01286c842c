// The smaller version-7 sections through the converter: the test mode's dictionaries, and a document that fills
// every section of the Modbus link and the test mode.
#include "bin/seed_files.h"
#include "parameter_documents.h"

namespace vrk::test {
namespace {

// Every version-7 section with content: a Modbus master with a slave output and a command, readiness diagnoses,
// the test mode and a Modbus input. It is a seed of the XML fuzzer as well.
const std::string kFilledDocument = SourceFileText("fuzz/corpus/xml/v7_every_section_filled.xml");

class SectionsTest : public ConverterTest {
 protected:
  // The reported dictionary text of `path`: "value|display name\n" per entry.
  std::string DictionaryOf(const std::string& path) { return Utf16ToUtf8(Ranges(path).Dictionary); }
  // The document with `from` replaced by `to` (which must occur).
  static std::string Edited(const std::string& from, const std::string& to) {
    std::string text = kFilledDocument;
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
  }
};

using SectionsDocument = SectionsTest;

// What the filled document loads to is pinned by its result fingerprint, and the error for each missing attribute
// by the fingerprint that takes a generated configuration's attributes away one by one; no element goes there.
TEST_F(SectionsDocument, FilledSectionsSaveAndLoadAgainUnchangedAndASlaveOutputNeedsItsTag) {
  ASSERT_EQ(PutXml(kFilledDocument), S_OK) << error_;
  const std::string saved = Xml();
  ASSERT_EQ(PutXml(saved), S_OK) << error_;
  EXPECT_EQ(Xml(), saved);
  EXPECT_EQ(PutXml(Edited("<Tag ChannelNum=\"100\" ParamNum=\"7\" ParamMin=\"819\" ParamMax=\"4096\""
                          " ParamDef=\"65535\"/>", "")),
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

}  // namespace
}  // namespace vrk::test
