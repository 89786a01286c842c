#include "schema/test_section.h"

#include <initializer_list>

#include "interface/message_ids.h"

namespace vrk {

CTest::CTest() : CNodeTagInfoXMLv7("Test", false, false) {
  // The generator inputs share one dictionary and the relays another; each is built once and copied.
  TG0.range().dictionary = {{"0", kMsgGeneratorAny}, {"1", kMsgGeneratorZero}, {"2", kMsgGeneratorOne}};
  for (CNodeAttrInfoXML* input : std::initializer_list<CNodeAttrInfoXML*>{&TG1, &TG2, &TGE0, &TGE1, &TGE2})
    input->range().dictionary = TG0.range().dictionary;
  Relay1.range().dictionary = {{"0", kMsgRelayNormal}, {"1", kMsgRelayOff}, {"2", kMsgRelayOn}};
  for (CNodeAttrInfoXML* relay : std::initializer_list<CNodeAttrInfoXML*>{&Relay2, &Relay3, &Relay4})
    relay->range().dictionary = Relay1.range().dictionary;

  AddAttributes({&used, &TG0, &TG1, &TG2, &TGE0, &TGE1, &TGE2, &Relay1, &Relay2, &Relay3, &Relay4});
  AddChildren({&Parameters});
}

}  // namespace vrk
