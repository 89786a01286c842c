// The Modbus section through the converter: serial dictionaries, the shared places of the received-parameter
// tables, the limit pairs, and the exchange cycles that follow the cycle count.
#include "converter_fixture.h"

namespace vrk::test {
namespace {

constexpr char kCount[] = "Modbus\\Tables\\Table\\count";
constexpr char kCycleCount[] = "Modbus\\ExchangeCycle\\CycleCount";
constexpr char kCycle[] = "Modbus\\ExchangeCycle\\Cycle\\";

// "\VRK_Device\" plus `path`: the name under which a failure is reported.
std::string Named(const std::string& path) { return "\n\\VRK_Device\\" + path; }

std::string SumMessage(const std::string& parameters, const std::string& control_bits) {
  return "Sum of values\n\"Table of received parameters, number of received parameters (" + parameters +
         ")\"\ne\n\"Table of received parameters, number of received control bits (" + control_bits +
         ")\"\n mustn't exceed 100" + Named(kCount);
}

class ModbusTest : public ConverterTest {
 protected:
  // The default configuration switched to Modbus master, where exchange cycles are configured.
  void LoadMaster() {
    LoadDefault();
    ASSERT_EQ(Set("Modbus\\type", "1"), S_OK) << error_;
  }
};

using ModbusTables = ModbusTest;

TEST_F(ModbusTables, ReceivedParametersAndControlBitsShareAHundredPlaces) {
  LoadDefault();
  ASSERT_EQ(Set(kCount, "80", Key(1)), S_OK) << error_;
  EXPECT_EQ(Set(kCount, "21", Key(2)), E_FAIL);
  EXPECT_EQ(error_, SumMessage("80", "21"));
  EXPECT_EQ(Get(kCount, Key(2)), "0");
  EXPECT_EQ(Set(kCount, "20", Key(2)), S_OK) << error_;
  EXPECT_EQ(Set(kCount, "081", Key(1)), E_FAIL);
  EXPECT_EQ(error_, SumMessage("81", "20"));
}

TEST_F(ModbusTables, MessageQuotesTheParameterTableFirstWhicheverChanged) {
  LoadDefault();
  ASSERT_EQ(Set(kCount, "90", At({1})), S_OK) << error_;  // the second table holds the control bits
  EXPECT_EQ(Set(kCount, "11", At({0})), E_FAIL);
  EXPECT_EQ(error_, SumMessage("11", "90"));
}

TEST_F(ModbusTables, OtherTablesAreNotCounted) {
  LoadDefault();
  ASSERT_EQ(Set(kCount, "100", Key(1)), S_OK) << error_;
  EXPECT_EQ(Set(kCount, "65535", Key(3)), S_OK) << error_;
  EXPECT_EQ(Set(kCount, "65535", Key(4)), S_OK) << error_;
}

using ModbusValues = ModbusTest;

TEST_F(ModbusValues, DataBitsAreDeviceCodes) {
  LoadDefault();
  EXPECT_EQ(Set("Modbus\\RS422\\databits", "3"), S_OK) << error_;
  EXPECT_EQ(Set("Modbus\\RS422\\databits", "4"), S_OK) << error_;
  EXPECT_EQ(Set("Modbus\\RS422\\databits", "7"), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (7) \nValue must be\npositive integer and\none of the following values:\n"
            "3(7)\n4(8)" +
                Named("Modbus\\RS422\\databits"));
  EXPECT_EQ(Set("Modbus\\RS422\\databits", "8"), E_FAIL);
  EXPECT_EQ(Get("Modbus\\RS422\\databits"), "4");
}

TEST_F(ModbusValues, DeviceRoleIsAFlagWithNames) {
  LoadDefault();
  EXPECT_EQ(Set("Modbus\\type", "2"), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (2) \nValue must be\nBOOL and\none of the following values:\n"
            "0(Modbus Slave)\n1(Modbus Master)" +
                Named("Modbus\\type"));
}

TEST_F(ModbusValues, TransferLimitsStayInOrder) {
  LoadDefault();
  EXPECT_EQ(Set("Modbus\\param_min_int", "28000"), E_FAIL);
  EXPECT_EQ(error_, "Incorrect value range (28000) \nValue must be less than param_max_int (28000)" +
                        Named("Modbus\\param_min_int"));
  EXPECT_EQ(Set("Modbus\\param_max_int", "3000"), E_FAIL);
  EXPECT_EQ(Set("Modbus\\param_min_int", "27999"), S_OK) << error_;
}

TEST_F(ModbusValues, SlaveOutputScalingStaysInOrder) {
  LoadDefault();
  const std::string tag = "Modbus\\Slave_outputs\\Output\\Tag\\";
  ASSERT_EQ(Set(tag + "ParamMax", "4096", Key(1)), S_OK) << error_;
  EXPECT_EQ(Set(tag + "ParamMin", "4096", Key(1)), E_FAIL);
  EXPECT_EQ(error_, "Incorrect value range (4096) \nValue must be less than ParamMax (4096)" +
                        Named("Modbus\\Slave_outputs\\Output\\Tag\\ParamMin"));
  ASSERT_EQ(Set(tag + "ParamMin", "819", Key(1)), S_OK) << error_;
  EXPECT_EQ(Set(tag + "ParamMax", "800", Key(1)), E_FAIL);
  EXPECT_EQ(error_, "Incorrect value range (800) \nValue must be greater than ParamMin (819)" +
                        Named("Modbus\\Slave_outputs\\Output\\Tag\\ParamMax"));
}

TEST_F(ModbusValues, CommandLimitsAndFunctionCodes) {
  LoadMaster();
  const std::string command = "Modbus\\ExchangeCycle\\Cycle\\Commands\\Command\\";
  const Indexes first{{true, 1}, {true, 1}};
  EXPECT_EQ(Set(command + "SlaveAddress", "247", first), S_OK) << error_;
  EXPECT_EQ(Set(command + "SlaveAddress", "248", first), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (248) \nValue must be\npositive integer\n"
            "greater than or equal 0 and less than or equal 247" +
                Named(command + "SlaveAddress"));
  EXPECT_EQ(Set(command + "Function", "16", first), S_OK) << error_;
  EXPECT_EQ(Set(command + "Function", "7", first), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (7) \nValue must be\npositive integer and\none of the following values:\n"
            "1(01 - Read Coils)\n2(02 - Read Discrete Inputs)\n3(03 - Read Holding Registers)\n"
            "4(04 - Read Input Registers)\n5(05 - Write Single Coil)\n6(06 - Write Single Register)\n"
            "15(15 - Write Multiple Coils)\n16(16 - Write Multiple Registers)" +
                Named(command + "Function"));
}

TEST_F(ModbusValues, CycleTimesReachTwoToThePower31) {
  LoadMaster();
  const std::string cycle_time = std::string(kCycle) + "CycleTime";
  EXPECT_EQ(Set(cycle_time, "2147483648", Key(1)), S_OK) << error_;
  EXPECT_EQ(Set(cycle_time, "2147483649", Key(1)), E_FAIL);
  EXPECT_EQ(error_,
            "Incorrect value range (2147483649) \nValue must be\npositive integer\n"
            "greater than or equal 0 and less than or equal 2147483648" +
                Named("Modbus\\ExchangeCycle\\Cycle\\CycleTime"));
}

using ModbusCycleCount = ModbusTest;

TEST_F(ModbusCycleCount, RaisingTheCountAppendsCyclesWithDefaultTimes) {
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
}

TEST_F(ModbusCycleCount, LoweringTheCountRemovesTheLastCycles) {
  LoadMaster();
  ASSERT_EQ(Set(kCycleCount, "3"), S_OK) << error_;
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

TEST_F(ModbusCycleCount, ASlaveHasNoCyclesAndAMasterAtLeastOne) {
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
}

TEST_F(ModbusCycleCount, CountIsCheckedOnLoadAndNeverWritten) {
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
