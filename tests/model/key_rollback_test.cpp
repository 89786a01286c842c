// Taking back a write of the key attribute that the edit's index list selected its element by: the trial of
// CheckValueRanges and the rollback of a failed bracket put the old key back on the same element instead of
// creating a new element under the old key. A virtual key pair is taken back half by half.
#include "parameter_documents.h"

namespace vrk::test {
namespace {

class KeyRollback : public ParameterEditTest {
 protected:
  void SetUp() override {
    ParameterEditTest::SetUp();
    Load(Document(Vibro(1, Overall("Average", 1)) + Vibro(2, Overall("Peak", 1))));
  }
  // CheckValueRanges of `value` at `at`: it tries the value and takes it back.
  HRESULT TryValue(const std::string& path, const std::string& value, const Indexes& at) {
    return Checked(path, value, at) == "<E_FAIL>" ? E_FAIL : S_OK;
  }
};

TEST_F(KeyRollback, TrialAndFailedBracketPutTheOldNumberBackOnTheSameChannel) {
  const std::string before = Xml();
  EXPECT_EQ(TryValue("VibroChannels\\VibroChannel\\number", "3", Key(1)), S_OK) << error_;
  EXPECT_EQ(Xml(), before);
  EXPECT_EQ(Count(kChannelPath), 2u);
  // A failed bracket puts the old number back on the same channel too.
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  ASSERT_EQ(Set("VibroChannels\\VibroChannel\\number", "3", Key(1)), S_OK) << error_;
  ASSERT_EQ(Set("VibroChannels\\VibroChannel\\trn_sens", "2", Key(3)), S_OK) << error_;
  Set("VibroChannels\\VibroChannel\\trn_sens", "abc", Key(3));
  EXPECT_EQ(Track(cvt_->EndUpdate()), E_FAIL);  // the deferred check of the value fails and undoes the bracket
  EXPECT_EQ(Xml(), before);
  EXPECT_EQ(Get("VibroChannels\\VibroChannel\\trn_sens", Key(1)), "7");
}

// The pair reads as absent while one half is missing; taking back a write of it restores each half as it was.
TEST_F(KeyRollback, TakingBackAPairWithOneHalfMissingRestoresBothHalves) {
  ASSERT_EQ(Set("current-outputs\\Output\\Tag\\ChannelNum", "2", Key(1)), S_OK) << error_;
  const std::string before = Xml();
  EXPECT_EQ(TryValue("current-outputs\\Output\\Tag\\ChannelNum_ParamNum", "101", Key(1)), S_OK) << error_;
  EXPECT_EQ(Xml(), before);
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  ASSERT_EQ(Set("current-outputs\\Output\\Tag\\ChannelNum_ParamNum", "101", Key(1)), S_OK) << error_;
  Set("VibroChannels\\VibroChannel\\trn_sens", "abc", Key(1));
  EXPECT_EQ(Track(cvt_->EndUpdate()), E_FAIL);
  EXPECT_EQ(Xml(), before);
}

// Monitoring tags are keyed by the pair: a write of either half moves the occurrence as a write of the key
// itself does, and so does a removal of a key; the undo of either makes the element found by its key again.
TEST_F(KeyRollback, WritingAHalfOfTheKeyPairOrRemovingAKeyMovesTheOccurrence) {
  Load(Document(Vibro(1, Overall("Average", 1) + Absolute(AbsoluteBand(2))), "",
                "<Monitoring>" + MonitoringElement(1, Tag(1, 0) + Tag(1, 1)) + MonitoringElement(2, "") +
                    "</Monitoring>"));
  const std::string param = "Monitoring\\Element\\Tag\\ParamNum";
  EXPECT_EQ(Get(param, {{true, 1}, {true, 65536}}), "0");
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  ASSERT_EQ(Set(param, "5", {{true, 1}, {true, 65536}}), S_OK) << error_;
  EXPECT_EQ(Get(param, {{true, 1}, {true, 65536}}), "<E_FAIL>");
  EXPECT_EQ(Get(param, {{true, 1}, {true, 65541}}), "5");
  ASSERT_EQ(Set(param, "0", {{true, 1}, {true, 65541}}), S_OK) << error_;
  ASSERT_EQ(cvt_->EndUpdate(), S_OK) << error_;

  const std::string before = Xml();
  EXPECT_EQ(Get(param, {{true, 2}, {true, 65536}}), "<E_FAIL>");
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  BStr name("Monitoring\\Element\\Number");
  BSTR none = nullptr;
  ASSERT_EQ(Track(cvt_->SetValue(name.get(), MakeIndexes(Key(1)).get(), &none)), S_OK) << error_;
  EXPECT_EQ(Get(param, {{true, 1}, {true, 65536}}), "<E_FAIL>");
  ASSERT_EQ(Set("Region_settings\\Hysteresis_percent", "91"), S_OK) << error_;
  EXPECT_EQ(Track(cvt_->EndUpdate()), E_FAIL);
  EXPECT_EQ(Xml(), before);
  EXPECT_EQ(Get(param, {{true, 1}, {true, 65536}}), "0");
  EXPECT_EQ(Count("Monitoring\\Element\\"), 2u);
}

}  // namespace
}  // namespace vrk::test
