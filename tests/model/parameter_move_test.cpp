// MoveNode of a parameter container: a move in the channel's numbering by rotation of numbers, with a relative
// band and its phase moving as one, the references following, and identical band sets moving together.
#include "parameter_documents.h"

namespace vrk::test {
namespace {

// Average 1, Peak 2, absolute bands 3 and 4, relative band 5 with phase 6, relative band 7; references to the
// Average, the first relative band, its phase, the last band and the first absolute band.
std::string Channel(int number) {
  return Vibro(number, Overall("Average", 1) + Overall("Peak", 2) + Absolute(AbsoluteBand(3) + AbsoluteBand(4)) +
                           Relative(RelativeBand(5, 1, "1", 6) + RelativeBand(7, 1, "2")));
}
std::string ReferencesTo(int channel) {
  return Section("current-outputs", CurrentOutput(1, channel, 0) + CurrentOutput(2, channel, 4)) +
         Section("Monitoring", MonitoringElement(1, Tag(channel, 5) + Tag(channel, 6))) +
         Modbus(SlaveOutput(1, channel, 2));
}

class ParameterMove : public ParameterEditTest {
 protected:
  // Moves and returns the displacement the converter reports.
  LONG MoveBy(const std::string& path, const Indexes& indexes, LONG offset) {
    EXPECT_EQ(Move(path, indexes, offset), S_OK) << error_;
    return offset;
  }
};

TEST_F(ParameterMove, TheMovedParameterAndThosePassedRotateTheirNumbersABandWithItsPhase) {
  Load(Document(Channel(1), Tacho(1), ReferencesTo(1)));
  EXPECT_EQ(MoveBy(std::string(kChannelPath) + "Average\\", Key(1), 2), 2);
  EXPECT_EQ(Numbers(1), "A3 P1 a2 a4 r5/6 r7");
  // Nodes stay where they are: only numbers change.
  EXPECT_EQ(Get(std::string(kAbsoluteBandPath) + "number", {{true, 1}, {false, 0}}), "2");
  EXPECT_EQ(References(), "O1=1:2 O2=1:4 M1=1:5,1:6 S1=1:1");
  // A relative band moves with its phase.
  Load(Document(Channel(1), Tacho(1), ReferencesTo(1)));
  EXPECT_EQ(MoveBy(kRelativeBandPath, {{true, 1}, {false, 0}}, -2), -2);
  EXPECT_EQ(Numbers(1), "A1 P2 a5 a6 r3/4 r7");
  EXPECT_EQ(References(), "O1=1:0 O2=1:2 M1=1:3,1:6 S1=1:4");
  // Moving past the pair counts it as one place.
  EXPECT_EQ(MoveBy(kAbsoluteBandPath, {{true, 1}, {false, 0}}, -1), -1);
  EXPECT_EQ(Numbers(1), "A1 P2 a3 a6 r4/5 r7");
}

TEST_F(ParameterMove, OffsetsAreClampedToTheEndsAndGapsInTheRangeClose) {
  Load(Document(Channel(1), Tacho(1)));
  EXPECT_EQ(MoveBy(kRelativeBandPath, {{true, 1}, {true, 7}}, 5), 0);
  EXPECT_EQ(MoveBy(std::string(kChannelPath) + "Average\\", Key(1), -3), 0);
  EXPECT_EQ(Numbers(1), "A1 P2 a3 a4 r5/6 r7");
  EXPECT_EQ(MoveBy(std::string(kChannelPath) + "Peak\\", Key(1), 100), 4);
  EXPECT_EQ(Numbers(1), "A1 P7 a2 a3 r4/5 r6");
  EXPECT_EQ(MoveBy(std::string(kChannelPath) + "Crest\\", Key(1), 1), 0);  // no such parameter
  EXPECT_EQ(MoveBy(std::string(kChannelPath) + "Peak\\", Key(5), 1), 0);   // no such channel
  // Gaps in the range close, and the rest keeps its numbers.
  Load(Document(Vibro(1, Overall("Average", 1) + Overall("Peak", 2) + Absolute(AbsoluteBand(5) + AbsoluteBand(9)) +
                             Overall("Crest", 12))));
  EXPECT_EQ(MoveBy(kAbsoluteBandPath, {{true, 1}, {true, 9}}, -1), -1);
  EXPECT_EQ(Numbers(1), "A1 P2 C12 a6 a5");
}

TEST_F(ParameterMove, IdenticalSetsMoveInEveryChannel) {
  Load(Document(Channel(1) + Channel(2), Tacho(1), ReferencesTo(2)));
  ASSERT_EQ(SetIdentical(1), S_OK) << error_;
  EXPECT_EQ(References(), "O1=2:0 O2=2:4 M1=2:6 S1=2:2");  // a phase is not monitored
  EXPECT_EQ(MoveBy(std::string(kChannelPath) + "Average\\", Key(1), 2), 2);
  EXPECT_EQ(Numbers(1), "A3 P1 a2 a4 r5/6 r7");
  EXPECT_EQ(Numbers(2), "A3 P1 a2 a4 r5/6 r7");
  EXPECT_EQ(References(), "O1=2:2 O2=2:4 M1=2:6 S1=2:1");
}

TEST_F(ParameterMove, AMoveIsOneEditAndFailsAsAWhole) {
  Load(Document(Channel(1), Tacho(1), ReferencesTo(1)));
  const std::string before = Xml();
  const ULONG counter = Changed().first;
  EXPECT_EQ(MoveBy(std::string(kChannelPath) + "Average\\", Key(1), 0), 0);
  EXPECT_EQ(Changed().first, counter + 1);
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  EXPECT_EQ(MoveBy(kRelativeBandPath, {{true, 1}, {false, 1}}, -3), -3);
  ASSERT_EQ(Set("Region_settings\\Hysteresis_percent", "500"), S_OK);
  EXPECT_EQ(Track(cvt_->EndUpdate()), E_FAIL);
  EXPECT_EQ(Xml(), before);
}

}  // namespace
}  // namespace vrk::test
