// DeleteNode with dependents: references to removed parameters and channels, the numbering that closes its
// gaps, relative bands on a removed shaft, monitoring elements with their diagnoses, and sequence-numbered
// lists; all of it undone when the edit fails.
#include "parameter_documents.h"

namespace vrk::test {
namespace {

// Channel 1: Average 1, Peak 2, absolute bands 3 and 4, relative band 5 with phase 6; references to most of them.
std::string BandsWithReferences() {
  return Document(
      Vibro(1, Overall("Average", 1) + Overall("Peak", 2) + Absolute(AbsoluteBand(3) + AbsoluteBand(4)) +
                   Relative(RelativeBand(5, 1, "1", 6))),
      Tacho(1),
      Section("current-outputs", CurrentOutput(1, 1, 2) + CurrentOutput(2, 1, 3)) +
          Section("Monitoring", MonitoringElement(1, Tag(1, 2) + Tag(1, 4)) + MonitoringElement(2, Tag(1, 3)) +
                                    MonitoringElement(3, Tag(1, 2))) +
          Section("Diagnoses", DiagnosesElement(1) + DiagnosesElement(2) + DiagnosesElement(3)) +
          Modbus(SlaveOutput(1, 1, 3) + SlaveOutput(2, 1, 2) + SlaveOutput(3, 1, 1)));
}

// The fixed layout of the compatibility mode with one tachometer channel.
std::string CompatibleLayout(const std::string& rest = "") {
  return Document(Vibro(1, Overall("Average", 1) + Overall("PeakPeak", 2) + Absolute(AbsoluteBand(3)) +
                               Relative(RelativeBand(8, 1, "0.5") + RelativeBand(9, 1, "1") +
                                        RelativeBand(10, 1, "2") + RelativeBand(11, 1, "3"))),
                  Tacho(1), rest);
}

using ParameterRemoval = ParameterEditTest;

TEST_F(ParameterRemoval, ReferencesGoAndTheNumberingClosesItsGap) {
  const struct {
    std::string path;
    Indexes at;
    const char* numbers;
    const char* references;
  } removals[] = {
      // Output 1 and the references to band 3 go; monitoring element 3 watched nothing else and goes with its
      // diagnoses; what referred to band 4, the relative band and its phase follows them one place down.
      {kAbsoluteBandPath, {{true, 1}, {true, 3}}, "A1 P2 a3 r4/5", "O2=1:2 M1=1:3 M2=1:2 D1 D2 S1=1:2 S2=1:1"},
      // A relative band takes its phase and the references to both along.
      {kRelativeBandPath, {{true, 1}, {false, 0}}, "A1 P2 a3 a4",
       "O1=1:2 O2=1:3 M1=1:2 M2=1:3 M3=1:2 D1 D2 D3 S1=1:3 S2=1:2 S3=1:1"},
      // An overall value goes like a band.
      {std::string(kChannelPath) + "Average\\", Key(1), "P1 a2 a3 r4/5",
       "O1=1:1 O2=1:2 M1=1:1,1:3 M2=1:2 M3=1:1 D1 D2 D3 S1=1:2 S2=1:1 S3=1:0"}};
  for (const auto& removal : removals) {
    SCOPED_TRACE(removal.path);
    Load(BandsWithReferences());
    ASSERT_EQ(Delete(removal.path, removal.at), S_OK) << error_;
    EXPECT_EQ(Numbers(1), removal.numbers);
    EXPECT_EQ(References(), removal.references);
    ASSERT_EQ(Set(std::string(kChannelPath) + "Peak\\maxvalue", "50", Key(1)), S_OK);  // nothing left half done
  }
}

TEST_F(ParameterRemoval, APhaseAloneGoesWithItsReferencesAndTheCompatibleLayoutKeepsNumbers) {
  Load(BandsWithReferences());
  ASSERT_EQ(Set("Monitoring\\Element\\Tag\\ParamNum", "5", At({1, 0})), S_OK) << error_;
  ASSERT_EQ(Delete(std::string(kRelativeBandPath) + "phase\\", {{true, 1}, {false, 0}}), S_OK) << error_;
  EXPECT_EQ(Numbers(1), "A1 P2 a3 a4 r5");
  EXPECT_EQ(References(), "O1=1:2 O2=1:3 M1=1:2,1:4 M2=1:2 D1 D2 S1=1:3 S2=1:2 S3=1:1");
  // The compatible layout keeps its numbers.
  Load(CompatibleLayout());
  ASSERT_EQ(Compatible(), 1);
  ASSERT_EQ(Delete(kAbsoluteBandPath, {{true, 1}, {false, 0}}), S_OK) << error_;
  EXPECT_EQ(Numbers(1), "A1 PP2 r8 r9 r10 r11");
}

TEST_F(ParameterRemoval, WithIdenticalSetsEveryChannelLosesTheParameter) {
  const std::string set = Overall("Average", 1) + Absolute(AbsoluteBand(2) + AbsoluteBand(3));
  Load(Document(Vibro(1, set) + Vibro(2, set), "",
                Section("current-outputs", CurrentOutput(1, 2, 2) + CurrentOutput(2, 1, 1)) +
                    Modbus(SlaveOutput(1, 2, 1) + SlaveOutput(2, 1, 2))));
  ASSERT_EQ(SetIdentical(1), S_OK) << error_;
  ASSERT_EQ(Delete(kAbsoluteBandPath, {{true, 1}, {false, 0}}), S_OK) << error_;
  EXPECT_EQ(Numbers(1), "A1 a2");
  EXPECT_EQ(Numbers(2), "A1 a2");
  EXPECT_EQ(References(), "O1=2:1 S1=1:1");
}

TEST_F(ParameterRemoval, AFailedBracketTakesEveryDependentChangeBack) {
  Load(BandsWithReferences());
  const std::string before = Xml();
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  ASSERT_EQ(Delete(kAbsoluteBandPath, {{true, 1}, {true, 3}}), S_OK) << error_;
  ASSERT_EQ(Set("Region_settings\\Hysteresis_percent", "500"), S_OK);  // checked at the end
  EXPECT_EQ(Track(cvt_->EndUpdate()), E_FAIL);
  EXPECT_EQ(Xml(), before);
}

using ChannelRemoval = ParameterEditTest;

TEST_F(ChannelRemoval, AVibrationChannelTakesEveryReferenceToItAlong) {
  Load(Document(Vibro(1, Overall("Average", 1)) + Vibro(2, Overall("Average", 1)), Tacho(1),
                Section("current-outputs", CurrentOutput(1, 1, 0) + CurrentOutput(2, 2, 0)) +
                    Section("Monitoring", MonitoringElement(1, Tag(1, 0)) + MonitoringElement(2, Tag(2, 0) + Tag(1, 0)) +
                                              MonitoringElement(3, Tag(2, 0))) +
                    Section("Diagnoses", DiagnosesElement(1) + DiagnosesElement(2) + DiagnosesElement(3)) +
                    Modbus(SlaveOutput(1, 2, 0) + SlaveOutput(2, 1, 0) + SlaveOutput(3, 50, 0))));
  ASSERT_EQ(Delete(kChannelPath, Key(1)), S_OK) << error_;
  EXPECT_EQ(References(), "O2=2:0 M1=2:0 M2=2:0 D1 D2 S1=2:0 S2=50:0");
  // The diagnoses followed their elements to the new numbers.
  EXPECT_EQ(Get("Diagnoses\\Element\\Diagnose\\Description", {{true, 1}, {true, 1}}), "for 2");
  EXPECT_EQ(Get("Diagnoses\\Element\\Diagnose\\Description", {{true, 2}, {true, 1}}), "for 3");
}

TEST_F(ChannelRemoval, ATachometerChannelTakesItsShaftsBandsAlong) {
  const std::string cut_outs =
      "<band number=\"2\" minvalue=\"0\" maxvalue=\"100\" low_freq=\"10\" high_freq=\"1000\"><cutting_rel_bands>"
      "<cutting_band number=\"3\"/><cutting_band number=\"5\"/></cutting_rel_bands></band>";
  Load(Document(Vibro(1, Overall("Average", 1) + Absolute(cut_outs) +
                             Relative(RelativeBand(3, 1, "1", 4) + RelativeBand(5, 2, "2"))) +
                    Vibro(2, Overall("Average", 1) + Relative(RelativeBand(2, 1))),
                Tacho(1) + Tacho(2),
                Section("current-outputs", CurrentOutput(1, 1, 2) + CurrentOutput(2, 51, 0)) +
                    Section("Monitoring", MonitoringElement(1, Tag(50, 0)) + MonitoringElement(2, Tag(1, 3) + Tag(1, 4)) +
                                              MonitoringElement(3, Tag(2, 1))) +
                    Section("Diagnoses", DiagnosesElement(1) + DiagnosesElement(2) + DiagnosesElement(3)) +
                    Modbus(SlaveOutput(1, 50, 0) + SlaveOutput(2, 1, 0))));
  ASSERT_EQ(Delete("TachoChannels\\TachoChannel\\", Key(1)), S_OK) << error_;
  EXPECT_EQ(Numbers(1), "A1 a2 r5");
  EXPECT_EQ(Numbers(2), "A1");
  EXPECT_EQ(Count(std::string(kAbsoluteBandPath) + "cutting_rel_bands\\cutting_band\\", {{true, 1}, {false, 0}}), 1u);
  EXPECT_EQ(References(), "O2=51:0 M1=1:4 D1 S1=1:0");
  EXPECT_EQ(Get("Diagnoses\\Element\\Diagnose\\Description", {{true, 1}, {true, 1}}), "for 2");
}

TEST_F(ChannelRemoval, InTheCompatibleLayoutTheReservedNumbersLoseTheirReferences) {
  Load(CompatibleLayout(Section("current-outputs", CurrentOutput(1, 1, 9)) +
                        Section("Monitoring", MonitoringElement(1, Tag(50, 0) + Tag(1, 1))) +
                        Section("Diagnoses", DiagnosesElement(1)) +
                        Modbus(SlaveOutput(1, 1, 7) + SlaveOutput(2, 1, 2) + SlaveOutput(3, 100, 7))));
  ASSERT_EQ(Compatible(), 1);
  ASSERT_EQ(Delete("TachoChannels\\TachoChannel\\", Key(1)), S_OK) << error_;
  // The bands stay in their fixed places; a Modbus input's parameter 7 is no band's.
  EXPECT_EQ(Numbers(1), "A1 PP2 a3 r8 r9 r10 r11");
  EXPECT_EQ(References(), "M1=1:1 D1 S1=1:2 S2=100:7");
}

using ListRemoval = ParameterEditTest;

TEST_F(ListRemoval, AMonitoringElementTakesItsDiagnosesAndTheOthersMoveUp) {
  Load(Document("", "",
                Section("Monitoring", MonitoringElement(1, "") + MonitoringElement(2, "") + MonitoringElement(3, "")) +
                    Section("Diagnoses", DiagnosesElement(1) + DiagnosesElement(2) + DiagnosesElement(3))));
  ASSERT_EQ(Delete("Monitoring\\Element\\", Key(2)), S_OK) << error_;
  EXPECT_EQ(References(), "M1= M2= D1 D2");
  EXPECT_EQ(Get("Diagnoses\\Element\\Diagnose\\Description", {{true, 2}, {true, 1}}), "for 3");
}

TEST_F(ListRemoval, SequenceNumberedListsCloseTheirGaps) {
  const std::string criteria =
      "<Element Number=\"1\"><Diagnose Number=\"1\" Description=\"d\" Conclusion=\"c\"><Criterions>"
      "<Criterion Number=\"1\" Formula=\"a\"/><Criterion Number=\"2\" Formula=\"b\"/>"
      "<Criterion Number=\"3\" Formula=\"c\"/></Criterions></Diagnose></Element>";
  Load(Document("", Tacho(1),
                Section("Monitoring", MonitoringElement(1, "")) + Section("Diagnoses", criteria) +
                    Modbus(SlaveOutput(1, 50, 0) + SlaveOutput(2, 50, 0) + SlaveOutput(3, 50, 0)) +
                    "<Readiness used=\"0\"><Diagnose Number=\"1\" ParamNumber=\"1\"/>"
                    "<Diagnose Number=\"2\" ParamNumber=\"2\"/></Readiness>"));
  ASSERT_EQ(Delete("Modbus\\Slave_outputs\\Output\\", Key(2)), S_OK) << error_;
  EXPECT_EQ(References(), "M1= D1 S1=50:0 S2=50:0");
  ASSERT_EQ(Delete("Readiness\\Diagnose\\", At({0})), S_OK) << error_;
  EXPECT_EQ(Get("Readiness\\Diagnose\\Number", At({0})), "1");
  EXPECT_EQ(Get("Readiness\\Diagnose\\ParamNumber", Key(1)), "2");
  const std::string criterion = "Diagnoses\\Element\\Diagnose\\Criterions\\Criterion\\";
  ASSERT_EQ(Delete(criterion, {{true, 1}, {true, 1}, {true, 1}}), S_OK) << error_;
  EXPECT_EQ(Get(criterion + "Formula", {{true, 1}, {true, 1}, {true, 1}}), "b");
  EXPECT_EQ(Get(criterion + "Formula", {{true, 1}, {true, 1}, {true, 2}}), "c");
}

}  // namespace
}  // namespace vrk::test
