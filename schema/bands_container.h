// CNodeTagBandsContainer: an element that carries the three level regions (absolute levels, relative levels,
// relative percentages) before its own attributes and children. Tachometer channels, every vibration
// measurement and every band are such containers.
#pragma once

#include "schema/node_info.h"

namespace vrk {

class CNodeTagBandsContainer : public CNodeTagInfoXML {
 public:
  class Cabs_level_region : public CNodeTagInfoXML {
   public:
    VRK_ATTRIBUTE(Chigh_warning_level, CNodeAttrInfoXML, "high_warning_level", false, ValueRange::Unlimited(kTypeReal));
    VRK_ATTRIBUTE(Chigh_alarm_level, CNodeAttrInfoXML, "high_alarm_level", false, ValueRange::Unlimited(kTypeReal));
    VRK_ATTRIBUTE(Clow_warning_level, CNodeAttrInfoXML, "low_warning_level", false, ValueRange::Unlimited(kTypeReal));
    VRK_ATTRIBUTE(Clow_alarm_level, CNodeAttrInfoXML, "low_alarm_level", false, ValueRange::Unlimited(kTypeReal));
    VRK_ATTRIBUTE(Clow_inoperative_level, CNodeAttrInfoXML, "low_inoperative_level", false,
                  ValueRange::Unlimited(kTypeReal));
    VRK_ATTRIBUTE(Chigh_inoperative_level, CNodeAttrInfoXML, "high_inoperative_level", false,
                  ValueRange::Unlimited(kTypeReal));
    VRK_ATTRIBUTE(Crelay, CNodeAttrInfoXML, "relay", false, ValueRange::Integer(kTypeUnsigned16, 0, 1));

    Cabs_level_region() : CNodeTagInfoXML("abs_level_region", false, false) {
      AddAttributes({&high_warning_level, &high_alarm_level, &low_warning_level, &low_alarm_level,
                     &low_inoperative_level, &high_inoperative_level, &relay});
    }
    Chigh_warning_level high_warning_level;
    Chigh_alarm_level high_alarm_level;
    Clow_warning_level low_warning_level;
    Clow_alarm_level low_alarm_level;
    Clow_inoperative_level low_inoperative_level;
    Chigh_inoperative_level high_inoperative_level;
    Crelay relay;
  };

  class Crel_level_region : public CNodeTagInfoXML {
   public:
    VRK_ATTRIBUTE(Chigh_warning_level, CNodeAttrInfoXML, "high_warning_level", false, ValueRange::Unlimited(kTypeReal));
    VRK_ATTRIBUTE(Chigh_alarm_level, CNodeAttrInfoXML, "high_alarm_level", false, ValueRange::Unlimited(kTypeReal));
    VRK_ATTRIBUTE(Chigh_inoperative_level, CNodeAttrInfoXML, "high_inoperative_level", false,
                  ValueRange::Unlimited(kTypeReal));

    Crel_level_region() : CNodeTagInfoXML("rel_level_region", false, false) {
      AddAttributes({&high_warning_level, &high_alarm_level, &high_inoperative_level});
    }
    Chigh_warning_level high_warning_level;
    Chigh_alarm_level high_alarm_level;
    Chigh_inoperative_level high_inoperative_level;
  };

  class Crel_percent_region : public CNodeTagInfoXML {
   public:
    VRK_ATTRIBUTE(Chigh_warning_level, CNodeAttrInfoXML, "high_warning_level", false, ValueRange::Real(0.1, 99.9));
    VRK_ATTRIBUTE(Chigh_alarm_level, CNodeAttrInfoXML, "high_alarm_level", false, ValueRange::Real(0.1, 99.9));
    VRK_ATTRIBUTE(Chigh_inoperative_level, CNodeAttrInfoXML, "high_inoperative_level", false,
                  ValueRange::Real(0.1, 99.9));

    Crel_percent_region() : CNodeTagInfoXML("rel_percent_region", false, false) {
      AddAttributes({&high_warning_level, &high_alarm_level, &high_inoperative_level});
    }
    Chigh_warning_level high_warning_level;
    Chigh_alarm_level high_alarm_level;
    Chigh_inoperative_level high_inoperative_level;
  };

  CNodeTagBandsContainer(std::string name, bool mandatory, bool repeated)
      : CNodeTagInfoXML(std::move(name), mandatory, repeated) {
    AddChildren({&abs_level_region, &rel_level_region, &rel_percent_region});
  }

  Cabs_level_region abs_level_region;
  Crel_level_region rel_level_region;
  Crel_percent_region rel_percent_region;
};

}  // namespace vrk
