#include "interface/converter_dispatch.h"

namespace vrk {
namespace {

using T = DispType;
constexpr DispKind kMethod = DispKind::kMethod;
constexpr DispKind kGet = DispKind::kGet;
constexpr DispKind kPut = DispKind::kPut;
using C = IVRK5420CfgConverter;
using L = IVRK5420CfgConValueIndexes;
using A = DispArgs;

}  // namespace

const DispatchTable<IVRK5420CfgConverter>& ConverterDispatch() {
  // Name, dispatch identifier, kind, parameters in declaration order, [out, retval] result; then the call.
  static const DispatchTable<C> table{
      {{"XML", 0x60020000, kGet, {}, T::kBstrOut}, [](C& o, A& a) { return o.get_XML(a.ResultBstr()); }},
      {{"XML", 0x60020000, kPut, {T::kBstr}, T::kNone}, [](C& o, A& a) { return o.put_XML(a.Bstr(0)); }},
      {{"BIN", 0x60020002, kGet, {}, T::kBytesOut}, [](C& o, A& a) { return o.get_BIN(a.ResultBytes()); }},
      {{"BIN", 0x60020002, kPut, {T::kBytes}, T::kNone}, [](C& o, A& a) { return o.put_BIN(a.Bytes(0)); }},
      {{"GetBIN", 0x60020004, kMethod, {T::kBytesOut, T::kUI4Out}, T::kNone},
       [](C& o, A& a) { return o.GetBIN(a.BytesRef(0), a.UI4Ref(1)); }},
      {{"CreateNewCfg", 0x60020005, kMethod, {}, T::kNone}, [](C& o, A&) { return o.CreateNewCfg(); }},
      {{"GetValueRanges", 0x60020006, kMethod, {T::kBstr, T::kIndexes, T::kRangeOut}, T::kNone},
       [](C& o, A& a) { return o.GetValueRanges(a.Bstr(0), a.Indexes(1), a.Range(2)); }},
      {{"GetValue", 0x60020007, kMethod, {T::kBstr, T::kIndexes}, T::kBstrOut},
       [](C& o, A& a) { return o.GetValue(a.Bstr(0), a.Indexes(1), a.ResultBstr()); }},
      {{"SetValue", 0x60020008, kMethod, {T::kBstr, T::kIndexes, T::kBstrInOut}, T::kNone},
       [](C& o, A& a) { return o.SetValue(a.Bstr(0), a.Indexes(1), a.BstrRef(2)); }},
      {{"CreateNode", 0x60020009, kMethod, {T::kBstr, T::kIndexes}, T::kNone},
       [](C& o, A& a) { return o.CreateNode(a.Bstr(0), a.Indexes(1)); }},
      {{"DeleteNode", 0x6002000A, kMethod, {T::kBstr, T::kIndexes}, T::kNone},
       [](C& o, A& a) { return o.DeleteNode(a.Bstr(0), a.Indexes(1)); }},
      {{"MoveNode", 0x6002000B, kMethod, {T::kBstr, T::kIndexes, T::kI4InOut}, T::kNone},
       [](C& o, A& a) { return o.MoveNode(a.Bstr(0), a.Indexes(1), a.I4Ref(2)); }},
      {{"GetNodeText", 0x15, kMethod, {T::kBstr, T::kIndexes, T::kBstrOut}, T::kNone},
       [](C& o, A& a) { return o.GetNodeText(a.Bstr(0), a.Indexes(1), a.BstrRef(2)); }},
      {{"SetNodeText", 0x6002000D, kMethod, {T::kBstr, T::kIndexes, T::kBstr}, T::kNone},
       [](C& o, A& a) { return o.SetNodeText(a.Bstr(0), a.Indexes(1), a.Bstr(2)); }},
      {{"CheckValueRanges", 0x6002000E, kMethod, {T::kBstr, T::kIndexes, T::kBstrInOut}, T::kNone},
       [](C& o, A& a) { return o.CheckValueRanges(a.Bstr(0), a.Indexes(1), a.BstrRef(2)); }},
      {{"BeginUpdate", 0x6002000F, kMethod, {}, T::kNone}, [](C& o, A&) { return o.BeginUpdate(); }},
      {{"EndUpdate", 0x60020010, kMethod, {}, T::kNone}, [](C& o, A&) { return o.EndUpdate(); }},
      {{"GetNodesCount", 0x60020011, kMethod, {T::kBstr, T::kIndexes}, T::kUI4Out},
       [](C& o, A& a) { return o.GetNodesCount(a.Bstr(0), a.Indexes(1), a.ResultUI4()); }},
      {{"GetChanged", 0x60020012, kMethod, {T::kUI4Out}, T::kI4Out},
       [](C& o, A& a) {
         // The early-bound call requires the counter; a missing one is received and dropped.
         ULONG unused = 0;
         ULONG* counter = a.UI4Ref(0);
         return o.GetChanged(counter ? counter : &unused, a.ResultI4());
       }},
      {{"IdenticalVibroBands", 0x60020013, kGet, {}, T::kI4Out},
       [](C& o, A& a) { return o.get_IdenticalVibroBands(a.ResultI4()); }},
      {{"IdenticalVibroBands", 0x60020013, kPut, {T::kI4}, T::kNone},
       [](C& o, A& a) { return o.put_IdenticalVibroBands(a.I4(0)); }},
      {{"FlushUndoRedo", 0x60020015, kMethod, {T::kUI4}, T::kNone},
       [](C& o, A& a) { return o.FlushUndoRedo(a.UI4(0)); }},
      {{"SetSavePoint", 0x60020016, kMethod, {}, T::kNone}, [](C& o, A&) { return o.SetSavePoint(); }},
      {{"ImperialSystemMeasurement", 0x60020017, kGet, {}, T::kI4Out},
       [](C& o, A& a) { return o.get_ImperialSystemMeasurement(a.ResultI4()); }},
      {{"ImperialSystemMeasurement", 0x60020017, kPut, {T::kI4}, T::kNone},
       [](C& o, A& a) { return o.put_ImperialSystemMeasurement(a.I4(0)); }},
      {{"ArrangeNodeData", 0x60020019, kMethod, {T::kBstr, T::kIndexes}, T::kNone},
       [](C& o, A& a) { return o.ArrangeNodeData(a.Bstr(0), a.Indexes(1)); }},
      {{"CheckNodeData", 0x6002001A, kMethod, {T::kBstr, T::kIndexes}, T::kNone},
       [](C& o, A& a) { return o.CheckNodeData(a.Bstr(0), a.Indexes(1)); }},
      {{"CompatibilityThrsSCADA21", 0x6002001B, kGet, {}, T::kI4Out},
       [](C& o, A& a) { return o.get_CompatibilityThrsSCADA21(a.ResultI4()); }},
      {{"CompatibilityThrsSCADA21", 0x6002001B, kPut, {T::kI4}, T::kNone},
       [](C& o, A& a) { return o.put_CompatibilityThrsSCADA21(a.I4(0)); }},
  };
  return table;
}

const DispatchTable<IVRK5420CfgConValueIndexes>& ValueIndexesDispatch() {
  static const DispatchTable<L> table{
      {{"Count", 0x60010000, kGet, {}, T::kUI4Out}, [](L& o, A& a) { return o.get_Count(a.ResultUI4()); }},
      {{"Count", 0x60010000, kPut, {T::kUI4}, T::kNone}, [](L& o, A& a) { return o.put_Count(a.UI4(0)); }},
      {{"UseAttr", 0x60010002, kGet, {T::kUI4}, T::kI4Out},
       [](L& o, A& a) { return o.get_UseAttr(a.UI4(0), a.ResultI4()); }},
      {{"UseAttr", 0x60010002, kPut, {T::kUI4, T::kI4}, T::kNone},
       [](L& o, A& a) { return o.put_UseAttr(a.UI4(0), a.I4(1)); }},
      {{"Value", 0x60010004, kGet, {T::kUI4}, T::kUI4Out},
       [](L& o, A& a) { return o.get_Value(a.UI4(0), a.ResultUI4()); }},
      {{"Value", 0x60010004, kPut, {T::kUI4, T::kUI4}, T::kNone},
       [](L& o, A& a) { return o.put_Value(a.UI4(0), a.UI4(1)); }},
  };
  return table;
}

}  // namespace vrk
