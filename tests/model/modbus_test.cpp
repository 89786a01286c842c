// The Modbus exchange cycles through the converter: the cycles follow the cycle count, which is checked at the end
// of a bracket and on load and never written to the document.
#include "converter_fixture.h"

namespace vrk::test {
namespace {

constexpr char kCycleCount[] = "Modbus\\ExchangeCycle\\CycleCount";
constexpr char kCycle[] = "Modbus\\ExchangeCycle\\Cycle\\";

class ModbusTest : public ConverterTest {
 protected:
  // The default configuration switched to Modbus master, where exchange cycles are configured.
  void LoadMaster() {
    LoadDefault();
    ASSERT_EQ(Set("Modbus\\type", "1"), S_OK) << error_;
  }
};

using ModbusCycleCount = ModbusTest;

TEST_F(ModbusCycleCount, RaisingTheCountAppendsCyclesWithDefaultTimesLoweringItRemovesTheLast) {
  LoadMaster();
  EXPECT_EQ(Get(kCycleCount), "0");
  ASSERT_EQ(Set(kCycleCount, "3"), S_OK) << error_;
  EXPECT_EQ(Get(kCycleCount), "3");
  EXPECT_EQ(NodeText("Modbus\\ExchangeCycle\\"),
            "<ExchangeCycle>\n"
            "\t\t\t<Cycle Number=\"1\" CycleTime=\"15000\" SlaveTimeOut=\"1000\" MasterMinDelay=\"600\"/>\n"
            "\t\t\t<Cycle Number=\"2\" CycleTime=\"15000\" SlaveTimeOut=\"1000\" MasterMinDelay=\"600\"/>\n"
            "\t\t\t<Cycle Number=\"3\" CycleTime=\"15000\" SlaveTimeOut=\"1000\" MasterMinDelay=\"600\"/>\n"
            "\t\t</ExchangeCycle>");
  // Lowering it removes the last cycles.
  ASSERT_EQ(Set(std::string(kCycle) + "CycleTime", "500", Key(1)), S_OK) << error_;
  ASSERT_EQ(Set(kCycleCount, "1"), S_OK) << error_;
  EXPECT_EQ(NodeText("Modbus\\ExchangeCycle\\"),
            "<ExchangeCycle>\n"
            "\t\t\t<Cycle Number=\"1\" CycleTime=\"500\" SlaveTimeOut=\"1000\" MasterMinDelay=\"600\"/>\n"
            "\t\t</ExchangeCycle>");
}

TEST_F(ModbusCycleCount, CountBeyondTheLimitChangesNothing) {
  LoadMaster();
  ASSERT_EQ(Set(kCycleCount, "3"), S_OK) << error_;
  const std::string before = Xml();
  EXPECT_EQ(Set(kCycleCount, "5"), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (5) \nValue must be\npositive integer\n"
            "greater than or equal 1 and less than or equal 4" +
                Named("Modbus\\ExchangeCycle\\CycleCount"));
  EXPECT_EQ(Xml(), before);
  EXPECT_EQ(Set(kCycleCount, "0"), E_FAIL);
  EXPECT_EQ(Xml(), before);
}

// Inside a bracket the count is checked only at its end, so a count beyond the limit first creates its cycles;
// thousands of them must still be appended one step each (this once took seconds), and the end of the bracket
// either accepts the count brought back into range or undoes them all.
TEST_F(ModbusCycleCount, ABracketMayHoldCyclesBeyondTheLimitUntilItEnds) {
  LoadMaster();
  const std::string before = Xml();
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  ASSERT_EQ(Set(kCycleCount, "20000"), S_OK) << error_;
  EXPECT_EQ(Get(kCycleCount), "20000");
  EXPECT_EQ(Get(std::string(kCycle) + "Number", At({19999})), "20000");
  ASSERT_EQ(Set(kCycleCount, "2"), S_OK) << error_;
  ASSERT_EQ(Track(cvt_->EndUpdate()), S_OK) << error_;
  EXPECT_EQ(Get(kCycleCount), "2");

  const std::string two_cycles = Xml();
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  ASSERT_EQ(Set(kCycleCount, "20000"), S_OK) << error_;
  EXPECT_EQ(Track(cvt_->EndUpdate()), E_FAIL);
  EXPECT_TRUE(error_.starts_with("Incorrect value range (20000) \n")) << error_;
  EXPECT_EQ(Xml(), two_cycles);
  EXPECT_NE(Xml(), before);
}

TEST_F(ModbusCycleCount, TextThatIsNoCountIsRefusedEvenInsideABracket) {
  LoadMaster();
  const std::string before = Xml();
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  EXPECT_EQ(Set(kCycleCount, "two"), E_FAIL);
  EXPECT_EQ(error_, "Incorrect value type (two) \nValue must be\npositive integer\n"
                    "greater than or equal 1 and less than or equal 4" +
                        Named("Modbus\\ExchangeCycle\\CycleCount"));
  EXPECT_EQ(Set(kCycleCount, "4000000000"), E_FAIL);
  ASSERT_EQ(Track(cvt_->EndUpdate()), S_OK) << error_;
  EXPECT_EQ(Xml(), before);
}

TEST_F(ModbusCycleCount, ASlaveHasNoCyclesAMasterSomeAndTheCountIsCheckedOnLoadButNeverWritten) {
  LoadDefault();
  EXPECT_EQ(Set(kCycleCount, "1"), E_FAIL);
  EXPECT_TRUE(error_.starts_with("Incorrect value range (1) \n")) << error_;
  ASSERT_EQ(Set("Modbus\\type", "1"), S_OK) << error_;
  BStr modbus("Modbus\\");
  EXPECT_EQ(Track(cvt_->CheckNodeData(modbus.get(), nullptr)), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (0) \nValue must be\npositive integer\n"
            "greater than or equal 1 and less than or equal 4" +
                Named("Modbus\\ExchangeCycle\\CycleCount"));
  LoadMaster();
  ASSERT_EQ(Set(kCycleCount, "2"), S_OK) << error_;
  const std::string two_cycles = Xml();
  EXPECT_EQ(two_cycles.find("CycleCount"), std::string::npos);
  ASSERT_EQ(PutXml(two_cycles), S_OK) << error_;
  EXPECT_EQ(Get(kCycleCount), "2");
  const std::string loaded = Xml();

  // Inside a bracket the count is checked at the end; the document in between has five cycles.
  ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
  ASSERT_EQ(Set(kCycleCount, "5"), S_OK) << error_;
  EXPECT_EQ(Count(kCycle), 5u);
  const std::string five_cycles = Xml();
  EXPECT_EQ(Track(cvt_->EndUpdate()), E_FAIL);
  EXPECT_EQ(Xml(), loaded);
  EXPECT_EQ(PutXml(five_cycles), E_FAIL);
  EXPECT_TRUE(error_.starts_with("Incorrect value range (5) \n")) << error_;
  EXPECT_TRUE(error_.ends_with(Named("Modbus\\ExchangeCycle\\CycleCount"))) << error_;
}

}  // namespace
}  // namespace vrk::test
