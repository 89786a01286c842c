// Occurrences selected by key through the converter: created in any order they stand in key order, and every
// later lookup, after creations, key rewrites and failed edits, finds what the document holds.
#include "converter_fixture.h"

namespace vrk::test {
namespace {

constexpr char kOutput[] = "Modbus\\Slave_outputs\\Output\\";
constexpr char kDefault[] = "Modbus\\Slave_outputs\\Output\\Tag\\ParamDef";
constexpr char kNumber[] = "Modbus\\Slave_outputs\\Output\\Number";

class KeyedOccurrences : public ConverterTest {
 protected:
  // Slave outputs numbered `keys`, created in that order, each with the default value 100 + its number.
  void CreateOutputs(std::initializer_list<uint32_t> keys) {
    LoadDefault();
    for (uint32_t key : keys) ASSERT_EQ(Set(kDefault, std::to_string(100 + key), Key(key)), S_OK) << error_;
  }
  // The default values of the outputs in document order.
  std::vector<std::string> InOrder() {
    std::vector<std::string> values;
    for (ULONG k = 0, n = Count(kOutput); k < n; ++k) values.push_back(Get(kDefault, At({k})));
    return values;
  }
};

TEST_F(KeyedOccurrences, CreatedOutOfOrderTheyStandInKeyOrderAndAreFoundAgain) {
  CreateOutputs({5, 9, 2, 7, 11, 1});
  EXPECT_EQ(InOrder(), (std::vector<std::string>{"101", "102", "105", "107", "109", "111"}));
  for (uint32_t key : {11u, 1u, 7u, 2u, 9u, 5u}) EXPECT_EQ(Get(kDefault, Key(key)), std::to_string(100 + key));
  EXPECT_EQ(Get(kDefault, Key(3)), "<E_FAIL>");
}

TEST_F(KeyedOccurrences, RewrittenKeyIsFoundUnderItsNewKeyOnlyAndAFailedCreationNotAtAll) {
  CreateOutputs({2, 5, 9});
  ASSERT_EQ(Set(kNumber, "12", Key(9)), S_OK) << error_;
  EXPECT_EQ(Get(kDefault, Key(12)), "109");
  EXPECT_EQ(Get(kDefault, Key(9)), "<E_FAIL>");
  // A key between the old and the new greatest goes before the rewritten occurrence.
  ASSERT_EQ(Set(kDefault, "110", Key(10)), S_OK) << error_;
  EXPECT_EQ(InOrder(), (std::vector<std::string>{"102", "105", "110", "109"}));
  // A failed creation leaves nothing to find.
  CreateOutputs({2, 5});
  EXPECT_EQ(Set(kDefault, "abc", Key(8)), E_FAIL);
  EXPECT_EQ(Count(kOutput), 2u);
  EXPECT_EQ(Get(kDefault, Key(8)), "<E_FAIL>");
  ASSERT_EQ(Set(kDefault, "108", Key(8)), S_OK) << error_;
  ASSERT_EQ(Set(kDefault, "103", Key(3)), S_OK) << error_;
  EXPECT_EQ(InOrder(), (std::vector<std::string>{"102", "103", "105", "108"}));
}

}  // namespace
}  // namespace vrk::test
