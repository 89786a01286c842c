// Tachometer channels: speed measurement with its level regions and start/stop detection.
#pragma once

#include "schema/bands_container.h"

namespace vrk {

class CTachoChannels : public CNodeTagInfoXML {
 public:
  class CTachoChannel : public CNodeTagBandsContainer {
   public:
    // Start and stop speeds of the machine; the start speed lies above the stop speed, both inside the range.
    class Cstart_stop_region : public CNodeTagInfoXML {
     public:
      class Cstart_level : public CNodeAttrInfoXML {
       public:
        Cstart_level()
            : CNodeAttrInfoXML("start_level", false,
                               ValueRange::LowerOnly(kTypeUnsigned32, kMinExclusive, "0").WithDefault("1200")) {}
        void CheckLinked(const CIndexList& indexes) override;
      };
      class Cstop_level : public CNodeAttrInfoXML {
       public:
        Cstop_level()
            : CNodeAttrInfoXML("stop_level", false,
                               ValueRange::LowerOnly(kTypeUnsigned32, kMinExclusive, "0").WithDefault("900")) {}
        void CheckLinked(const CIndexList& indexes) override;
      };
      Cstart_stop_region() : CNodeTagInfoXML("start_stop_region", false, false) {
        AddAttributes({&start_level, &stop_level});
      }
      Cstart_level start_level;
      Cstop_level stop_level;
    };

    VRK_ATTRIBUTE(Cnumber, CNodeAttrInfoXML, "number", true, ValueRange::Integer(kTypeUnsigned16, 1, 6));
    VRK_ATTRIBUTE(Cunit, CNodeAttrInfoXML, "unit", true,
                  ValueRange::Dictionary(kTypeUnsigned16, "201\n202").WithDefault("202"));
    class Cminvalue : public CNodeAttrInfoXML {
     public:
      Cminvalue()
          : CNodeAttrInfoXML("minvalue", true, ValueRange::Integer(kTypeUnsigned16, 0, 65535).WithDefault("0")) {}
      void CheckLinked(const CIndexList& indexes) override;
    };
    class Cmaxvalue : public CNodeAttrInfoXML {
     public:
      Cmaxvalue()
          : CNodeAttrInfoXML("maxvalue", true, ValueRange::Integer(kTypeUnsigned16, 0, 65535).WithDefault("12500")) {}
      void CheckLinked(const CIndexList& indexes) override;
    };
    VRK_ATTRIBUTE(Ctrn_sens, CNodeAttrInfoXML, "trn_sens", false,
                  ValueRange::LowerOnly(kTypeUnsigned16, kMinExclusive, "0").WithDefault("1"));
    VRK_ATTRIBUTE(Creductor_coeff, CNodeAttrInfoXML, "reductor_coeff", false,
                  ValueRange::LowerOnly(kTypeReal, kMinExclusive, "0", 4).WithDefault("1"));

    CTachoChannel() : CNodeTagBandsContainer("TachoChannel", false, true) {
      AddAttributes({&number, &unit, &minvalue, &maxvalue, &trn_sens, &reductor_coeff});
      AddChildren({&start_stop_region});
      SetKeyAttribute(&number);
    }
    Cnumber number;
    Cunit unit;
    Cminvalue minvalue;
    Cmaxvalue maxvalue;
    Ctrn_sens trn_sens;
    Creductor_coeff reductor_coeff;
    Cstart_stop_region start_stop_region;
  };

  CTachoChannels() : CNodeTagInfoXML("TachoChannels", true, false) { AddChildren({&TachoChannel}); }
  CTachoChannel TachoChannel;
};

}  // namespace vrk
