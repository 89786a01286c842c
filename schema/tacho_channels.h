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
      Cstart_stop_region() : CNodeTagInfoXML("start_stop_region", false, false) {
        AddAttributes({&start_level, &stop_level});
      }
      CComparedAttrInfoXML start_level{"start_level", false, SpeedRange("1200")};
      CComparedAttrInfoXML stop_level{"stop_level", false, SpeedRange("900")};

     private:
      static ValueRange SpeedRange(std::string default_value) {
        return ValueRange::LowerOnly(kTypeUnsigned32, kMinExclusive, "0").WithDefault(std::move(default_value));
      }
    };

    VRK_ATTRIBUTE(Cnumber, CNodeAttrInfoXML, "number", true, ValueRange::Integer(kTypeUnsigned16, 1, 6));
    VRK_ATTRIBUTE(Cunit, CNodeAttrInfoXML, "unit", true,
                  ValueRange::Dictionary(kTypeUnsigned16, "201\n202").WithDefault("202"));
    VRK_ATTRIBUTE(Ctrn_sens, CNodeAttrInfoXML, "trn_sens", false,
                  ValueRange::LowerOnly(kTypeUnsigned16, kMinExclusive, "0").WithDefault("1"));
    VRK_ATTRIBUTE(Creductor_coeff, CNodeAttrInfoXML, "reductor_coeff", false,
                  ValueRange::LowerOnly(kTypeReal, kMinExclusive, "0", 4).WithDefault("1"));

    CTachoChannel();
    Cnumber number;
    Cunit unit;
    CComparedAttrInfoXML minvalue{"minvalue", true, ValueRange::Integer(kTypeUnsigned16, 0, 65535).WithDefault("0")};
    CComparedAttrInfoXML maxvalue{"maxvalue", true,
                                  ValueRange::Integer(kTypeUnsigned16, 0, 65535).WithDefault("12500")};
    Ctrn_sens trn_sens;
    Creductor_coeff reductor_coeff;
    Cstart_stop_region start_stop_region;
  };

  CTachoChannels() : CNodeTagInfoXML("TachoChannels", true, false) { AddChildren({&TachoChannel}); }
  CTachoChannel TachoChannel;
};

}  // namespace vrk
