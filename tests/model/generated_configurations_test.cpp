// The generated configurations of the benchmarks, at every size: each loads, passes the whole check, and goes
// through its image and back to the same values.
#include "bench/config_generator.h"
#include "converter_fixture.h"

namespace vrk::test {
namespace {

class GeneratedConfiguration : public ConverterTest, public ::testing::WithParamInterface<int> {};

TEST_P(GeneratedConfiguration, LoadsPassesTheCheckAndSurvivesItsImage) {
  const int channels = GetParam();
  const bench::ConfigurationShape shape = bench::ShapeFor(channels);
  ASSERT_EQ(PutXml(bench::GenerateConfiguration(shape)), S_OK) << error_;
  BStr root("");
  EXPECT_EQ(Track(cvt_->CheckNodeData(root.get(), nullptr)), S_OK) << error_;
  EXPECT_EQ(Count("VibroChannels\\VibroChannel\\"), static_cast<ULONG>(channels));
  EXPECT_EQ(Count("Modbus\\Slave_outputs\\Output\\"), static_cast<ULONG>(shape.slave_outputs));
  EXPECT_EQ(Count("Monitoring\\Element\\"), static_cast<ULONG>(shape.monitoring));

  const std::vector<uint8_t> image = Image();
  ASSERT_FALSE(image.empty()) << error_;
  ASSERT_EQ(PutImage(image), S_OK) << error_;
  EXPECT_EQ(Track(cvt_->CheckNodeData(root.get(), nullptr)), S_OK) << error_;
  EXPECT_EQ(Image(), image);
  EXPECT_EQ(Count("Modbus\\ExchangeCycle\\Cycle\\Commands\\Command\\", Key(shape.cycles)),
            static_cast<ULONG>(shape.commands));
}

INSTANTIATE_TEST_SUITE_P(EverySize, GeneratedConfiguration,
                         ::testing::Range(bench::kMinVibroChannels, bench::kMaxVibroChannels + 1));

TEST(GeneratedConfigurationShape, GrowsWithTheChannelsAndClampsOutsideTheirRange) {
  EXPECT_EQ(bench::ShapeFor(0).vibro_channels, 1);
  EXPECT_EQ(bench::ShapeFor(99).vibro_channels, 16);
  const bench::ConfigurationShape largest = bench::ShapeFor(16);
  EXPECT_EQ(largest.tacho_channels, 6);
  EXPECT_EQ(largest.slave_outputs, 100);
  EXPECT_EQ(largest.cycles * largest.commands, 128);
  EXPECT_EQ(largest.monitoring, 16);
  EXPECT_LT(bench::GenerateConfiguration(1).size(), bench::GenerateConfiguration(2).size());
}

}  // namespace
}  // namespace vrk::test
