// The record type VRK5420CfgConDataRange as late-bound clients see it: an IRecordInfo that creates, copies,
// clears and reads records of it, so that a range travels in a VARIANT as VT_RECORD.
#pragma once

#include "interface/vrk5420_interfaces.h"
#include "platform/variant.h"

namespace vrk {

// The one description of the record; it lives as long as the module and ignores reference counting.
IRecordInfo* DataRangeRecordInfo();

}  // namespace vrk

#if !defined(_WIN32)  // on Windows the system's, which reads the type library
// Answers for the record of the component's type library (LIBID_VRK5420CfgConverterLib version 1.x,
// GUID_VRK5420CfgConDataRange) only: TYPE_E_LIBNOTREGISTERED for another library or a major version other
// than 1, TYPE_E_ELEMENTNOTFOUND for another record, E_INVALIDARG for a null `info`.
VRK_EXPORT HRESULT GetRecordInfoFromGuids(REFGUID library, ULONG major, ULONG minor, LCID lcid, REFGUID record,
                                          IRecordInfo** info);
#endif
