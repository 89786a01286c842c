#include "schema/tacho_channels.h"

#include "schema/linked_rules.h"

namespace vrk {
namespace {

using CTachoChannel = CTachoChannels::CTachoChannel;

CTachoChannel& ChannelOf(CNodeAttrInfoXML& attribute) {
  return static_cast<CTachoChannel&>(*attribute.element());
}

CTachoChannel& ChannelOfRegion(CNodeAttrInfoXML& attribute) {
  return static_cast<CTachoChannel&>(*attribute.element()->parent());
}

}  // namespace

void CTachoChannel::Cminvalue::CheckLinked(const CIndexList& indexes) {
  CTachoChannel& channel = ChannelOf(*this);
  CheckLinkedRule(*this, LinkedRule::kLess, channel.maxvalue, indexes);
  CheckLinkedRule(*this, LinkedRule::kLess, channel.start_stop_region.stop_level, indexes);
}

void CTachoChannel::Cmaxvalue::CheckLinked(const CIndexList& indexes) {
  CTachoChannel& channel = ChannelOf(*this);
  CheckLinkedRule(*this, LinkedRule::kGreater, channel.minvalue, indexes);
  CheckLinkedRule(*this, LinkedRule::kGreater, channel.start_stop_region.start_level, indexes);
}

void CTachoChannel::Cstart_stop_region::Cstart_level::CheckLinked(const CIndexList& indexes) {
  CTachoChannel& channel = ChannelOfRegion(*this);
  CheckLinkedRule(*this, LinkedRule::kGreater, channel.start_stop_region.stop_level, indexes);
  CheckLinkedRule(*this, LinkedRule::kLess, channel.maxvalue, indexes);
}

void CTachoChannel::Cstart_stop_region::Cstop_level::CheckLinked(const CIndexList& indexes) {
  CTachoChannel& channel = ChannelOfRegion(*this);
  CheckLinkedRule(*this, LinkedRule::kLess, channel.start_stop_region.start_level, indexes);
  CheckLinkedRule(*this, LinkedRule::kGreater, channel.minvalue, indexes);
}

}  // namespace vrk
