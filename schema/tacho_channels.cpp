#include "schema/tacho_channels.h"

namespace vrk {

// minvalue < stop_level < start_level < maxvalue: the ends of the range are compared with each other and with
// the nearer speed, the speeds with each other and with the nearer end.
CTachoChannels::CTachoChannel::CTachoChannel() : CNodeTagBandsContainer("TachoChannel", false, true) {
  AddAttributes({&number, &unit, &minvalue, &maxvalue, &trn_sens, &reductor_coeff});
  AddChildren({&start_stop_region});
  SetKeyAttribute(&number);
  CComparedAttrInfoXML& start = start_stop_region.start_level;
  CComparedAttrInfoXML& stop = start_stop_region.stop_level;
  minvalue.CompareWith({{LinkedRule::kLess, &maxvalue}, {LinkedRule::kLess, &stop}});
  maxvalue.CompareWith({{LinkedRule::kGreater, &minvalue}, {LinkedRule::kGreater, &start}});
  start.CompareWith({{LinkedRule::kGreater, &stop}, {LinkedRule::kLess, &maxvalue}});
  stop.CompareWith({{LinkedRule::kLess, &start}, {LinkedRule::kGreater, &minvalue}});
}

}  // namespace vrk
