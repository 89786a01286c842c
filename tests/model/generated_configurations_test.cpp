// The shape of the benchmarks' generated configurations. That each size loads, passes the whole check and
// survives its image is pinned by the result fingerprints, which run every size.
#include "bench/config_generator.h"
#include "converter_fixture.h"

namespace vrk::test {
namespace {

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
