#include "interface/converter_dispatch.h"

namespace vrk {
namespace {

using T = DispType;
constexpr DispForm kMethod = DispForm::kMethod;
constexpr DispForm kReturning = DispForm::kMethodReturning;
constexpr DispForm kGet = DispForm::kGet;
constexpr DispForm kPut = DispForm::kPut;
using C = IVRK5420CfgConverter;
using L = IVRK5420CfgConValueIndexes;

// The early-bound GetChanged requires the counter; a late-bound caller may leave it out, and it is then
// received and dropped.
HRESULT GetChangedAnyCounter(C& object, ULONG* counter, LONG* changed) {
  ULONG unused = 0;
  return object.GetChanged(counter ? counter : &unused, changed);
}

}  // namespace

const DispatchTable<IVRK5420CfgConverter>& ConverterDispatch() {
  // Name and dispatch identifier; the method with its parameter kinds in declaration order.
  static const DispatchTable<C> table{
      DispRow<&C::get_XML, kGet, T::kBstrOut>("XML", 0x60020000),
      DispRow<&C::put_XML, kPut, T::kBstr>("XML", 0x60020000),
      DispRow<&C::get_BIN, kGet, T::kBytesOut>("BIN", 0x60020002),
      DispRow<&C::put_BIN, kPut, T::kBytes>("BIN", 0x60020002),
      DispRow<&C::GetBIN, kMethod, T::kBytesOut, T::kUI4Out>("GetBIN", 0x60020004),
      DispRow<&C::CreateNewCfg, kMethod>("CreateNewCfg", 0x60020005),
      DispRow<&C::GetValueRanges, kMethod, T::kBstr, T::kIndexes, T::kRangeOut>("GetValueRanges", 0x60020006),
      DispRow<&C::GetValue, kReturning, T::kBstr, T::kIndexes, T::kBstrOut>("GetValue", 0x60020007),
      DispRow<&C::SetValue, kMethod, T::kBstr, T::kIndexes, T::kBstrInOut>("SetValue", 0x60020008),
      DispRow<&C::CreateNode, kMethod, T::kBstr, T::kIndexes>("CreateNode", 0x60020009),
      DispRow<&C::DeleteNode, kMethod, T::kBstr, T::kIndexes>("DeleteNode", 0x6002000A),
      DispRow<&C::MoveNode, kMethod, T::kBstr, T::kIndexes, T::kI4InOut>("MoveNode", 0x6002000B),
      DispRow<&C::GetNodeText, kMethod, T::kBstr, T::kIndexes, T::kBstrOut>("GetNodeText", 0x15),
      DispRow<&C::SetNodeText, kMethod, T::kBstr, T::kIndexes, T::kBstr>("SetNodeText", 0x6002000D),
      DispRow<&C::CheckValueRanges, kMethod, T::kBstr, T::kIndexes, T::kBstrInOut>("CheckValueRanges", 0x6002000E),
      DispRow<&C::BeginUpdate, kMethod>("BeginUpdate", 0x6002000F),
      DispRow<&C::EndUpdate, kMethod>("EndUpdate", 0x60020010),
      DispRow<&C::GetNodesCount, kReturning, T::kBstr, T::kIndexes, T::kUI4Out>("GetNodesCount", 0x60020011),
      DispRow<&GetChangedAnyCounter, kReturning, T::kUI4Out, T::kI4Out>("GetChanged", 0x60020012),
      DispRow<&C::get_IdenticalVibroBands, kGet, T::kI4Out>("IdenticalVibroBands", 0x60020013),
      DispRow<&C::put_IdenticalVibroBands, kPut, T::kI4>("IdenticalVibroBands", 0x60020013),
      DispRow<&C::FlushUndoRedo, kMethod, T::kUI4>("FlushUndoRedo", 0x60020015),
      DispRow<&C::SetSavePoint, kMethod>("SetSavePoint", 0x60020016),
      DispRow<&C::get_ImperialSystemMeasurement, kGet, T::kI4Out>("ImperialSystemMeasurement", 0x60020017),
      DispRow<&C::put_ImperialSystemMeasurement, kPut, T::kI4>("ImperialSystemMeasurement", 0x60020017),
      DispRow<&C::ArrangeNodeData, kMethod, T::kBstr, T::kIndexes>("ArrangeNodeData", 0x60020019),
      DispRow<&C::CheckNodeData, kMethod, T::kBstr, T::kIndexes>("CheckNodeData", 0x6002001A),
      DispRow<&C::get_CompatibilityThrsSCADA21, kGet, T::kI4Out>("CompatibilityThrsSCADA21", 0x6002001B),
      DispRow<&C::put_CompatibilityThrsSCADA21, kPut, T::kI4>("CompatibilityThrsSCADA21", 0x6002001B),
  };
  return table;
}

const DispatchTable<IVRK5420CfgConValueIndexes>& ValueIndexesDispatch() {
  static const DispatchTable<L> table{
      DispRow<&L::get_Count, kGet, T::kUI4Out>("Count", 0x60010000),
      DispRow<&L::put_Count, kPut, T::kUI4>("Count", 0x60010000),
      DispRow<&L::get_UseAttr, kGet, T::kUI4, T::kI4Out>("UseAttr", 0x60010002),
      DispRow<&L::put_UseAttr, kPut, T::kUI4, T::kI4>("UseAttr", 0x60010002),
      DispRow<&L::get_Value, kGet, T::kUI4, T::kUI4Out>("Value", 0x60010004),
      DispRow<&L::put_Value, kPut, T::kUI4, T::kUI4>("Value", 0x60010004),
  };
  return table;
}

}  // namespace vrk
