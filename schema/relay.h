// Switching delays of the warning and alarm relays, in milliseconds (up to one hour).
#pragma once

#include "schema/node_info.h"

namespace vrk {

class CRelay : public CNodeTagInfoXMLv7 {
 public:
  // The switch-on and switch-off delays of one relay; both relays take the same attributes.
  class CDelay : public CNodeTagInfoXMLv7 {
   public:
    VRK_ATTRIBUTE(COn_ms, CNodeAttrInfoXMLv7, "On_ms", true, ValueRange::Integer(kTypeUnsigned32, 0, 3600000));
    VRK_ATTRIBUTE(COff_ms, CNodeAttrInfoXMLv7, "Off_ms", true, ValueRange::Integer(kTypeUnsigned32, 0, 3600000));
    explicit CDelay(std::string name) : CNodeTagInfoXMLv7(std::move(name), false, false) {
      AddAttributes({&On_ms, &Off_ms});
    }
    COn_ms On_ms;
    COff_ms Off_ms;
  };

  CRelay() : CNodeTagInfoXMLv7("Relay", false, false) { AddChildren({&WarningDelay, &AlarmDelay}); }
  CDelay WarningDelay{"WarningDelay"};
  CDelay AlarmDelay{"AlarmDelay"};
};

}  // namespace vrk
