// The band-set modes through the converter: identical band sets, the compatibility layout with its open undo
// group, and the change hook that keeps dependent values consistent after SetValue.
#include "parameter_documents.h"

namespace vrk::test {
namespace {

using IdenticalBands = ParameterEditTest;

TEST_F(IdenticalBands, TheFirstChannelsSetIsCopiedAndStaleReferencesGo) {
  Load(Document(Vibro(1, Overall("Average", 1) + Absolute(AbsoluteBand(2) + AbsoluteBand(3) + AbsoluteBand(4)) +
                             Relative(RelativeBand(5, 1, "1", 6))) +
                    Vibro(2, Overall("Average", 1) + Absolute(AbsoluteBand(2))),
                Tacho(1),
                Section("current-outputs", CurrentOutput(1, 2, 3)) +
                    Section("Monitoring", MonitoringElement(1, Tag(1, 9)) + MonitoringElement(2, Tag(2, 0)) +
                                              MonitoringElement(3, Tag(1, 5))) +
                    Modbus(SlaveOutput(1, 1, 20) + SlaveOutput(2, 2, 1))));
  ASSERT_EQ(SetIdentical(1), S_OK) << error_;
  EXPECT_EQ(Identical(), 1);
  EXPECT_EQ(Numbers(2), "A1 a2 a3 a4 r5/6");
  EXPECT_EQ(NodeText(std::string(kChannelPath) + "Relative_bands\\", Key(2)),
            NodeText(std::string(kChannelPath) + "Relative_bands\\", Key(1)));
  // Monitoring loses the number nothing measures and the phase; outputs lose the free number.
  EXPECT_EQ(References(), "O1=2:3 M1=2:0 S1=2:1");
}

TEST_F(IdenticalBands, TurningOffChangesNothingALoadClearsTheModeAndAFailureLeavesItOff) {
  Load(Document(Vibro(1, Overall("Average", 1)) + Vibro(2, "")));
  ASSERT_EQ(SetIdentical(1), S_OK) << error_;
  const std::string equalised = Xml();
  EXPECT_EQ(Numbers(2), "A1");
  ASSERT_EQ(SetIdentical(0), S_OK) << error_;
  EXPECT_EQ(Identical(), 0);
  EXPECT_EQ(Xml(), equalised);
  ASSERT_EQ(SetIdentical(1), S_OK) << error_;
  Load(equalised);
  EXPECT_EQ(Identical(), 0);
  // A failed equalisation leaves the mode off and the document as it was.
  // Channel 2's sensor measures up to 275 only.
  Load(Document(Vibro(1, Overall("Peak", 1, "300")) + Vibro(2, Overall("Peak", 1, "100"), "10")));
  const std::string before = Xml();
  EXPECT_EQ(SetIdentical(1), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (300) \nValue must be\nreal number\n"
            "greater than or equal 0 and less than or equal 275\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Peak\\maxvalue");
  EXPECT_EQ(Identical(), 0);
  EXPECT_EQ(Xml(), before);
}

TEST_F(IdenticalBands, ANegativeTachometerNumberInABracketNamesNoShaft) {
  // The switch checks the shafts against the tachometer numbers as they stand, unchecked ones included.
  const std::string set = Overall("Average", 1) + Relative(RelativeBand(5, 1));
  Load(Document(Vibro(1, set) + Vibro(2, set), Tacho(1)));
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  ASSERT_EQ(Set("TachoChannels\\TachoChannel\\number", "-50", Key(1)), S_OK) << error_;
  EXPECT_EQ(SetIdentical(1), E_FAIL);
  EXPECT_EQ(error_,
            "The node \"\\VRK_Device\\VibroChannels\\VibroChannel\\Relative_bands\\band\" must refer to one of "
            "existing nodes \"\\VRK_Device\\TachoChannels\\TachoChannel\"\n"
            "\\VRK_Device\\VibroChannels\\VibroChannel\\Relative_bands\\band");
}

TEST_F(IdenticalBands, ANewNumberIsCarriedToEveryChannelAndANewChannelGetsTheSet) {
  const std::string set = Overall("Average", 1) + Absolute(AbsoluteBand(2) + AbsoluteBand(3));
  Load(Document(Vibro(1, set) + Vibro(2, set), "", Section("current-outputs", CurrentOutput(1, 2, 1))));
  ASSERT_EQ(SetIdentical(1), S_OK) << error_;
  ASSERT_EQ(Set(std::string(kAbsoluteBandPath) + "maxvalue", "50", {{true, 1}, {false, 0}}), S_OK) << error_;
  EXPECT_EQ(Get(std::string(kAbsoluteBandPath) + "maxvalue", {{true, 2}, {false, 0}}), "100");  // not a trigger
  ASSERT_EQ(Set(std::string(kAbsoluteBandPath) + "number", "9", {{true, 1}, {true, 2}}), S_OK) << error_;
  EXPECT_EQ(Numbers(2), "A1 a9 a3");
  EXPECT_EQ(Get(std::string(kAbsoluteBandPath) + "maxvalue", {{true, 2}, {false, 0}}), "50");
  EXPECT_EQ(References(), "O1=2:8");
  ASSERT_EQ(Set(std::string(kChannelPath) + "number", "3", Key(3)), S_OK) << error_;  // a new channel
  EXPECT_EQ(Numbers(3), "A1 a9 a3");
}

using CompatibilityMode = ParameterEditTest;

// Channels 1 and 2 with bands of their own, tachometer channel 1, and references to both channels.
std::string TwoChannels() {
  return Document(Vibro(1, Overall("Peak", 1) + Absolute(AbsoluteBand(2))) + Vibro(2, Overall("WaveRMS", 4)),
                  Tacho(1),
                  Section("current-outputs", CurrentOutput(1, 1, 0)) +
                      Modbus(SlaveOutput(1, 2, 3) + SlaveOutput(2, 50, 0)));
}

TEST_F(CompatibilityMode, EveryChannelGetsTheFixedLayout) {
  Load(TwoChannels());
  ASSERT_EQ(Compatible(), 0);
  ASSERT_EQ(SetCompatible(1), S_OK) << error_;
  EXPECT_EQ(Compatible(), 1);
  for (uint32_t channel : {1u, 2u}) {
    EXPECT_EQ(Numbers(channel), "A1 PP2 a3 r8 r9 r10 r11");
    std::string bands;
    for (uint32_t k = 0; k < 4; ++k) {
      const Indexes band = {{true, channel}, {false, k}};
      for (const char* name : {"shaft", "factor", "ranges_type", "lower_bound", "upper_bound"})
        bands += Get(std::string(kRelativeBandPath) + name, band) + " ";
      bands += "| ";
    }
    EXPECT_EQ(bands, "1 0.5 2 5 5 | 1 1 2 5 5 | 1 2 2 5 5 | 1 3 2 5 5 | ");
  }
  EXPECT_EQ(References(), "S1=50:0");
  // The layout is complete: the saved document loads again and is recognised as compatible.
  const std::string saved = Xml();
  const ULONG counter = Changed().first;
  ASSERT_EQ(SetCompatible(1), S_OK) << error_;  // on again: nothing changes, but it counts
  EXPECT_EQ(Xml(), saved);
  EXPECT_EQ(Changed().first, counter + 1);
  Load(saved);
  EXPECT_EQ(Compatible(), 1);
}

TEST_F(CompatibilityMode, TheSwitchIsKeptOrUndoneWithTheNextEdit) {
  Load(TwoChannels());
  const std::string before = Xml();
  ASSERT_EQ(SetCompatible(1), S_OK) << error_;
  EXPECT_EQ(Set("Region_settings\\Hysteresis_percent", "500"), E_FAIL);
  EXPECT_EQ(Xml(), before);
  EXPECT_EQ(Compatible(), 0);

  ASSERT_EQ(SetCompatible(1), S_OK) << error_;
  ASSERT_EQ(Set("Region_settings\\Hysteresis_percent", "6"), S_OK) << error_;
  EXPECT_EQ(Set("Region_settings\\Hysteresis_percent", "500"), E_FAIL);
  EXPECT_EQ(Compatible(), 1);
  EXPECT_EQ(Numbers(1), "A1 PP2 a3 r8 r9 r10 r11");
}

// The compatibility switch leaves its changes open; any other edit that completes outside a bracket commits
// them, the identical-bands switch turned off included, so a later failure no longer takes them back.
TEST_F(CompatibilityMode, AnIdenticalBandsSwitchCommitsThePendingSwitch) {
  Load(TwoChannels());
  ASSERT_EQ(SetCompatible(1), S_OK) << error_;
  ASSERT_EQ(SetIdentical(0), S_OK) << error_;
  const std::string committed = Xml();
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  EXPECT_EQ(Set("VibroChannels\\VibroChannel\\unit", "102"), E_FAIL);
  EXPECT_EQ(Xml(), committed);
  EXPECT_EQ(Numbers(1), "A1 PP2 a3 r8 r9 r10 r11");
}

TEST_F(CompatibilityMode, NewChannelsGetTheLayoutAndTurningItOffDropsPhasesOfFractionalHarmonics) {
  Load(TwoChannels());
  ASSERT_EQ(SetCompatible(1), S_OK) << error_;
  ASSERT_EQ(Set(std::string(kRelativeBandPath) + "factor", "1.5", {{true, 1}, {true, 9}}), S_OK) << error_;
  ASSERT_EQ(Set(std::string(kRelativeBandPath) + "phase\\number", "20", {{true, 1}, {true, 9}}), S_OK) << error_;
  ASSERT_EQ(Set(std::string(kRelativeBandPath) + "phase\\number", "21", {{true, 1}, {true, 10}}), S_OK) << error_;
  ASSERT_EQ(SetCompatible(0), S_OK) << error_;
  EXPECT_EQ(Compatible(), 0);
  EXPECT_EQ(Numbers(1), "A1 PP2 a3 r4 r5 r6/7 r8");
  EXPECT_EQ(Numbers(2), "A1 PP2 a3 r4 r5 r6 r7");
  // New channels get the layout too.
  Load(TwoChannels());
  ASSERT_EQ(SetCompatible(1), S_OK) << error_;
  ASSERT_EQ(Set(std::string(kChannelPath) + "number", "5", Key(5)), S_OK) << error_;
  EXPECT_EQ(Numbers(5), "A1 PP2 a3 r8 r9 r10 r11");
  ASSERT_EQ(Set("TachoChannels\\TachoChannel\\number", "2", Key(2)), S_OK) << error_;
  EXPECT_EQ(Numbers(1), "A1 PP2 a3 r8 r9 r10 r11 r12 r13 r14 r15");
  EXPECT_EQ(Get(std::string(kRelativeBandPath) + "shaft", {{true, 2}, {true, 13}}), "2");
}

using ChangeHook = ParameterEditTest;

TEST_F(ChangeHook, ANewChannelGetsItsSettingsAndARenumberedOneKeepsThem) {
  Load(Document(Vibro(3, Overall("Average", 1)), "", Section("current-outputs", CurrentOutput(1, 3, 0))));
  ASSERT_EQ(Set(std::string(kChannelPath) + "number", "5", Key(5)), S_OK) << error_;
  std::string settings;
  for (const char* name : {"unit", "trn_sens", "trn_offset", "hpf", "param\\unit", "param\\average_time_s",
                           "param\\sp_window"})
    settings += Get(std::string(kChannelPath) + name, Key(5)) + " ";
  EXPECT_EQ(settings, "102 7 0 0 102 1 2 ");

  ASSERT_EQ(Set(std::string(kChannelPath) + "trn_sens", "5", Key(3)), S_OK) << error_;
  // Selected by the number it loses, the channel is read back under its new one.
  EXPECT_EQ(Written(std::string(kChannelPath) + "number", "04", Key(3)), "4") << error_;
  EXPECT_EQ(Get(std::string(kChannelPath) + "trn_sens", Key(4)), "5");
  EXPECT_EQ(References(), "O1=4:0");
}

TEST_F(ChangeHook, ANewSensorUnitResetsTheSensorSettings) {
  const std::string points =
      "<Linear type=\"0\"><Point volt=\"-1000\" value=\"-100\"/><Point volt=\"0\" value=\"0\"/>"
      "<Point volt=\"1000\" value=\"100\"/></Linear>";
  Load(Document(Vibro(1, points)));
  ASSERT_EQ(Set(std::string(kChannelPath) + "unit", "103", Key(1)), S_OK) << error_;
  EXPECT_EQ(Count(std::string(kChannelPath) + "Linear\\", Key(1)), 0u);
  EXPECT_EQ(Get(std::string(kChannelPath) + "param\\unit", Key(1)), "103");
  EXPECT_EQ(Get(std::string(kChannelPath) + "trn_sens", Key(1)), "1.5");
  EXPECT_EQ(Get(std::string(kChannelPath) + "hpf", Key(1)), "1");
  ASSERT_EQ(Set(std::string(kChannelPath) + "unit", "334", Key(1)), S_OK) << error_;
  EXPECT_EQ(Get(std::string(kChannelPath) + "trn_sens", Key(1)), "1500");
  EXPECT_EQ(Get(std::string(kChannelPath) + "hpf", Key(1)), "0");
  ASSERT_EQ(Set(std::string(kChannelPath) + "trn_sens", "1400", Key(1)), S_OK) << error_;
  ASSERT_EQ(Set(std::string(kChannelPath) + "unit", "334", Key(1)), S_OK) << error_;  // unchanged: kept
  EXPECT_EQ(Get(std::string(kChannelPath) + "trn_sens", Key(1)), "1400");
}

TEST_F(ChangeHook, ANewPointCompletesItselfAndItsTableAndReferencesFollowRenumbering) {
  Load(Document(Vibro(1, "")));
  const std::string point = std::string(kChannelPath) + "Linear\\Point\\";
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  // By position: the volt is written, the value and the table's type follow.
  ASSERT_EQ(Set(point + "volt", "-1000", {{true, 1}, {false, 0}}), S_OK) << error_;
  EXPECT_EQ(Get(point + "value", {{true, 1}, {false, 0}}), "0");
  ASSERT_EQ(Set(point + "value", "-5", {{true, 1}, {false, 0}}), S_OK) << error_;
  ASSERT_EQ(Set(point + "value", "2", {{true, 1}, {true, 0}}), S_OK) << error_;
  ASSERT_EQ(Set(point + "value", "4", {{true, 1}, {true, 1000}}), S_OK) << error_;
  ASSERT_EQ(Track(cvt_->EndUpdate()), S_OK) << error_;
  EXPECT_EQ(Get(std::string(kChannelPath) + "Linear\\type", Key(1)), "0");
  EXPECT_EQ(Count(point, Key(1)), 3u);
  // References follow a renumbered parameter.
  Load(Document(Vibro(1, Overall("Average", 1) + Absolute(AbsoluteBand(3))), "",
                Section("current-outputs", CurrentOutput(1, 1, 2) + CurrentOutput(2, 1, 0))));
  ASSERT_EQ(Set(std::string(kAbsoluteBandPath) + "number", "7", {{true, 1}, {true, 3}}), S_OK) << error_;
  EXPECT_EQ(References(), "O1=1:6 O2=1:0");
  ASSERT_EQ(Set(std::string(kChannelPath) + "Average\\number", "2", Key(1)), S_OK) << error_;
  EXPECT_EQ(References(), "O1=1:6 O2=1:1");
}

TEST_F(ChangeHook, ANewParameterGetsItsMeasuringRangeAndANewTachometerItsSettings) {
  Load(Document(Vibro(1, "")));
  ASSERT_EQ(Set(std::string(kAbsoluteBandPath) + "number", "4", {{true, 1}, {true, 4}}), S_OK) << error_;
  EXPECT_EQ(NodeText(kAbsoluteBandPath, {{true, 1}, {true, 4}}),
            "<band number=\"4\" minvalue=\"0\" maxvalue=\"100\" low_freq=\"10\" high_freq=\"1000\"/>");
  ASSERT_EQ(Set("TachoChannels\\TachoChannel\\number", "3", Key(3)), S_OK) << error_;
  EXPECT_EQ(NodeText("TachoChannels\\TachoChannel\\", Key(3)),
            "<TachoChannel number=\"3\" unit=\"202\" minvalue=\"0\" maxvalue=\"12500\" trn_sens=\"1\" "
            "reductor_coeff=\"1\">\n\t\t\t<start_stop_region start_level=\"1200\" stop_level=\"900\"/>\n\t\t"
            "</TachoChannel>");
}

TEST_F(ChangeHook, DelaysAndBandEdgesFollowTheWaveformSettings) {
  const std::string band =
      "<band number=\"1\" minvalue=\"0\" maxvalue=\"100\" low_freq=\"11\" high_freq=\"201\"/>";
  Load(Document(Vibro(1, Absolute(band) + Relative(RelativeBand(2, 1))), Tacho(1)));
  ASSERT_EQ(Set("Relay\\AlarmDelay\\On_ms", "300"), S_OK) << error_;  // 1.5 cycles of 200 ms
  EXPECT_EQ(Get("Relay\\AlarmDelay\\On_ms"), "400");
  ASSERT_EQ(Set(std::string(kRelativeBandPath) + "upper_bound", "5.1", {{true, 1}, {false, 0}}), S_OK) << error_;
  ASSERT_EQ(Set("VibroChannels\\wave_settings\\fmax", "250"), S_OK) << error_;  // 3200 ms, 0.15625 Hz
  EXPECT_EQ(Get("Relay\\AlarmDelay\\On_ms"), "0");
  EXPECT_EQ(Get("Region_settings\\DelayUp_ms"), "3200");  // at least one cycle
  EXPECT_EQ(Get("Region_settings\\DelayDn_ms"), "6400");
  EXPECT_EQ(Get(std::string(kAbsoluteBandPath) + "low_freq", {{true, 1}, {false, 0}}), "10.938");
  EXPECT_EQ(Get(std::string(kAbsoluteBandPath) + "high_freq", {{true, 1}, {false, 0}}), "201.094");
  EXPECT_EQ(Get(std::string(kRelativeBandPath) + "upper_bound", {{true, 1}, {false, 0}}), "5.156");
  ASSERT_EQ(Set("VibroChannels\\spectrum_settings\\lines", "800"), S_OK) << error_;  // 0.3125 Hz
  EXPECT_EQ(Get(std::string(kAbsoluteBandPath) + "high_freq", {{true, 1}, {false, 0}}), "201.25");
}

TEST_F(ChangeHook, AnEdgeThatWouldLeaveTheBandUndoesTheWholeChange) {
  const std::string band =
      "<band number=\"1\" minvalue=\"0\" maxvalue=\"100\" low_freq=\"0.1\" high_freq=\"200\"/>";
  Load(Document(Vibro(1, Absolute(band))));
  const std::string before = Xml();
  EXPECT_EQ(Set("VibroChannels\\wave_settings\\fmax", "500"), E_FAIL);
  EXPECT_TRUE(error_.starts_with("Incorrect value range (0) \n")) << error_;
  EXPECT_TRUE(error_.ends_with("\\Absolute_bands\\band\\low_freq")) << error_;
  EXPECT_EQ(Xml(), before);
}

}  // namespace
}  // namespace vrk::test
