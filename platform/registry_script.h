// The registrar: runs a registry script, the platform's text form of the keys and values a server registers.
//   HKCR
//   {
//     NoRemove CLSID
//     {
//       ForceRemove {7AE70612-...} = s 'Description'
//       {
//         InprocServer32 = s '%MODULE%'
//         {
//           val ThreadingModel = s 'Apartment'
//         }
//       }
//     }
//   }
// Tokens are separated by white space; a name or text is a bare word or a 'quoted' one ('' stands for a quote);
// %NAME% in either is replaced by the replacement NAME, %% by %. A key may carry `= s 'text'` (its default value)
// and a { } block of subkeys and `val NAME = s 'text'` named values. Keys marked NoRemove are never removed,
// ForceRemove keys are removed whole before they are registered and on unregistration, Delete keys are removed
// on registration. A plain key is removed on unregistration once nothing is left below it.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/com_types.h"

namespace vrk::registry {

// The registrar's result for a script it cannot read, as on the platform.
inline constexpr HRESULT kScriptSyntaxError = static_cast<HRESULT>(0x80020009u);
// Scripts nest no deeper than this; deeper ones are refused as unreadable.
inline constexpr int kMaxScriptDepth = 32;

using Replacements = std::map<std::string, std::string, std::less<>>;

// Reads the whole script first (kScriptSyntaxError, nothing changed, when it is not valid or names an unknown
// replacement), then registers (add) or unregisters (!add) its keys under HKEY_CLASSES_ROOT. The first failing
// registry call stops the run and its result is returned as an HRESULT; keys that are already gone are no
// failure of unregistration.
HRESULT RunRegistryScript(std::string_view script, const Replacements& replacements, bool add);

}  // namespace vrk::registry
