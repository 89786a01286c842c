// The measurement system: the document always holds metric values; in imperial mode real values with a unit
// factor are shown and accepted in imperial units. Integer texts are normalised either way.
#pragma once

#include <string>

namespace vrk {

class CNodeAttrInfoXML;

enum class ValueDirection { kToDisplay, kToStored };

// `text` converted for display or for storage. Texts that do not parse for the attribute's type pass unchanged,
// so that validation reports them; integers lose spaces and leading zeros; reals are rounded to the attribute's
// decimal places (four more when shown in imperial units) and scaled by its unit factor in imperial mode.
std::string ConvertValue(const CNodeAttrInfoXML& attribute, const std::string& text, ValueDirection direction);

}  // namespace vrk
