// The dispatch tables of the two automation interfaces: every member with its dispatch identifier.
#pragma once

#include "interface/dispatch_table.h"

namespace vrk {

const DispatchTable<IVRK5420CfgConverter>& ConverterDispatch();
const DispatchTable<IVRK5420CfgConValueIndexes>& ValueIndexesDispatch();

}  // namespace vrk
