// The Modbus link over RS-422: serial settings, register tables, slave outputs and exchange cycles.
#pragma once

#include "schema/modbus_cycle_count.h"
#include "schema/compared_attribute.h"
#include "schema/parameter_tag.h"

namespace vrk {

class CNodeTagModbusV7 : public CNodeTagInfoXMLv7 {
 public:
  // Serial settings. The data-bit and stop-bit codes are device codes; their display names give the bit counts.
  class CRS422 : public CNodeTagInfoXMLv7 {
   public:
    VRK_ATTRIBUTE(Cbaudrate, CNodeAttrInfoXMLv7, "baudrate", true,
                  ValueRange::Dictionary(kTypeUnsigned32, "9600\n19200\n38400\n57600\n115200"));
    VRK_ATTRIBUTE(Cdatabits, CNodeAttrInfoXMLv7, "databits", true, ValueRange::Unlimited(kTypeUnsigned16));
    VRK_ATTRIBUTE(Cstopbits, CNodeAttrInfoXMLv7, "stopbits", true, ValueRange::Unlimited(kTypeUnsigned16));
    VRK_ATTRIBUTE(Cparity, CNodeAttrInfoXMLv7, "parity", true, ValueRange::Unlimited(kTypeUnsigned16));

    CRS422();
    Cbaudrate baudrate;
    Cdatabits databits;
    Cstopbits stopbits;
    Cparity parity;
  };

  // The register tables, one per `type` 1 to 4.
  class CTables : public CNodeTagInfoXMLv7 {
   public:
    class CTable : public CNodeTagInfoXMLv7 {
     public:
      VRK_ATTRIBUTE(Ctype, CNodeAttrInfoXMLv7, "type", true, ValueRange::Integer(kTypeUnsigned16, 1, 4));
      VRK_ATTRIBUTE(Caddress, CNodeAttrInfoXMLv7, "address", true, ValueRange::Integer(kTypeUnsigned16, 0, 65535));
      // The received parameters (type 1) and received control bits (type 2) share 100 places.
      class Ccount : public CNodeAttrInfoXMLv7 {
       public:
        Ccount() : CNodeAttrInfoXMLv7("count", true, ValueRange::Integer(kTypeUnsigned16, 0, 65535)) {}
        void CheckLinked(const CIndexList& indexes) override;
      };

      CTable() : CNodeTagInfoXMLv7("Table", true, true) {
        AddAttributes({&type, &address, &count});
        SetKeyAttribute(&type);
      }
      Ctype type;
      Caddress address;
      Ccount count;
    };

    CTables() : CNodeTagInfoXMLv7("Tables", false, false) { AddChildren({&Table}); }
    CTable Table;
  };

  // The values the device publishes as a slave, numbered from 1.
  class CSlave_outputs : public CNodeTagInfoXMLv7 {
   public:
    // The published parameter and its scaling: ParamMin and ParamMax are the register values of the ends of
    // the parameter's range, ParamDef the value sent while the parameter is invalid.
    class COutputTag : public CParameterTag {
     public:
      VRK_ATTRIBUTE(CParamDef, CNodeAttrInfoXMLv7, "ParamDef", true,
                    ValueRange::Integer(kTypeUnsigned16, 0, 65535).WithDefault("65535"));

      COutputTag() : CParameterTag(false, true) {
        AddAttributes({&ParamMin, &ParamMax, &ParamDef});
        CompareAsBounds(ParamMin, ParamMax);
      }
      CComparedAttrInfoXML ParamMin{"ParamMin", true,
                                    ValueRange::Integer(kTypeUnsigned16, 0, 65535).WithDefault("819")};
      CComparedAttrInfoXML ParamMax{"ParamMax", true,
                                    ValueRange::Integer(kTypeUnsigned16, 0, 65535).WithDefault("4096")};
      CParamDef ParamDef;
    };

    using COutput = CNumberedParameterElement<COutputTag>;

    CSlave_outputs() : CNodeTagInfoXMLv7("Slave_outputs", false, false) { AddChildren({&Output}); }
    COutput Output{"Output", 100};
  };

  // The master's exchange cycles, each a numbered list of commands sent to slaves.
  class CExchangeCycle : public CNodeTagInfoXMLv7 {
   public:
    class CCycle : public CNodeTagInfoXMLv7 {
     public:
      class CCommands : public CNodeTagInfoXMLv7 {
       public:
        class CCommand : public CNodeTagInfoXMLv7 {
         public:
          VRK_ATTRIBUTE(CNumber, CNodeAttrInfoXMLv7, "Number", true, ValueRange::Integer(kTypeUnsigned16, 1, 32));
          VRK_ATTRIBUTE(CFunction, CNodeAttrInfoXMLv7, "Function", true,
                        ValueRange::Unlimited(kTypeUnsigned16).WithDefault("1"));
          VRK_ATTRIBUTE(CSlaveAddress, CNodeAttrInfoXMLv7, "SlaveAddress", true,
                        ValueRange::Integer(kTypeUnsigned16, 0, 247).WithDefault("45"));
          VRK_ATTRIBUTE(CAddressIn, CNodeAttrInfoXMLv7, "AddressIn", true,
                        ValueRange::Integer(kTypeUnsigned16, 0, 65535).WithDefault("4"));
          VRK_ATTRIBUTE(CAddressEx, CNodeAttrInfoXMLv7, "AddressEx", true,
                        ValueRange::Integer(kTypeUnsigned16, 0, 65535).WithDefault("104"));
          VRK_ATTRIBUTE(CCount, CNodeAttrInfoXMLv7, "Count", true,
                        ValueRange::Integer(kTypeUnsigned16, 0, 65535).WithDefault("1"));

          CCommand();
          CNumber Number;
          CFunction Function;
          CSlaveAddress SlaveAddress;
          CAddressIn AddressIn;
          CAddressEx AddressEx;
          CCount Count;
        };

        CCommands() : CNodeTagInfoXMLv7("Commands", false, false) { AddChildren({&Command}); }
        CCommand Command;
      };

      VRK_ATTRIBUTE(CNumber, CNodeAttrInfoXMLv7, "Number", true, ValueRange::Integer(kTypeUnsigned16, 1, 4));
      // Times in milliseconds, limited to 2^31 (beyond the signed 32-bit range, hence given as text).
      VRK_ATTRIBUTE(CCycleTime, CNodeAttrInfoXMLv7, "CycleTime", true, CycleTimeRange("15000"));
      VRK_ATTRIBUTE(CSlaveTimeOut, CNodeAttrInfoXMLv7, "SlaveTimeOut", true, CycleTimeRange("1000"));
      VRK_ATTRIBUTE(CMasterMinDelay, CNodeAttrInfoXMLv7, "MasterMinDelay", true, CycleTimeRange("600"));

      CCycle() : CNodeTagInfoXMLv7("Cycle", false, true) {
        AddAttributes({&Number, &CycleTime, &SlaveTimeOut, &MasterMinDelay});
        AddChildren({&Commands});
        SetKeyAttribute(&Number);
      }
      CNumber Number;
      CCycleTime CycleTime;
      CSlaveTimeOut SlaveTimeOut;
      CMasterMinDelay MasterMinDelay;
      CCommands Commands;

     private:
      static ValueRange CycleTimeRange(std::string default_value) {
        ValueRange range =
            ValueRange::LowerOnly(kTypeUnsigned32, kMinInclusive, "0").WithDefault(std::move(default_value));
        range.max_constraint = kMaxInclusive;
        range.max = "2147483648";
        return range;
      }
    };

    using CCycleCount = CNodeAttrModbusCycleCountV7;

    CExchangeCycle() : CNodeTagInfoXMLv7("ExchangeCycle", false, false) {
      AddAttributes({&CycleCount});
      AddChildren({&Cycle});
    }
    CCycle Cycle;
    CCycleCount CycleCount{&Cycle, &Cycle.Number, {&Cycle.CycleTime, &Cycle.SlaveTimeOut, &Cycle.MasterMinDelay}};
  };

  VRK_ATTRIBUTE(Cused, CNodeAttrInfoXMLv7, "used", true, ValueRange::Integer(kTypeFlag, 0, 1));
  // 0: the device is a Modbus slave, 1: a master.
  VRK_ATTRIBUTE(Ctype, CNodeAttrInfoXMLv7, "type", true, ValueRange::Unlimited(kTypeFlag));
  VRK_ATTRIBUTE(CDataValidityTime_s, CNodeAttrInfoXMLv7, "DataValidityTime_s", true,
                ValueRange::Integer(kTypeUnsigned16, 1, 65535));

  CNodeTagModbusV7();

  Cused used;
  Ctype type;
  CComparedAttrInfoXML param_min_int{"param_min_int", true, ValueRange::Integer(kTypeUnsigned16, 0, 65534)};
  CComparedAttrInfoXML param_max_int{"param_max_int", true, ValueRange::Integer(kTypeUnsigned16, 1, 65535)};
  CDataValidityTime_s DataValidityTime_s;
  CRS422 RS422;
  CTables Tables;
  CSlave_outputs Slave_outputs;
  CExchangeCycle ExchangeCycle;
};

}  // namespace vrk
