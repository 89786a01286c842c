// The converter and the index list driven through IDispatch alone: every member by name, the argument
// conversions a script host relies on, and each refusal code.
#include "dispatch_fixture.h"

#include "interface/data_range_record.h"
#include "interface/server_identity.h"
#include "monitoring_document.h"

namespace vrk::test {
namespace {

using LateBinding = DispatchTest;

TEST_F(LateBinding, XmlAndImagesTravelAsStringsAndByteArrays) {
  Method("CreateNewCfg");
  const std::string xml = GetText("XML");
  EXPECT_EQ(xml, Xml());
  Put("XML", VStr(xml));
  EXPECT_EQ(Xml(), xml);

  ULONG early_crc = 0;
  const std::vector<uint8_t> early = Image(&early_crc);
  SAFEARRAY* array = nullptr;
  ULONG crc = 0;
  Method("GetBIN", {VRef(VT_ARRAY | VT_UI1, &array), VRef(VT_UI4, &crc)});
  SafeArrayPtr owner(array);
  ASSERT_NE(array, nullptr);
  EXPECT_EQ(std::vector<uint8_t>(static_cast<uint8_t*>(array->pvData),
                                 static_cast<uint8_t*>(array->pvData) + array->rgsabound[0].cElements),
            early);
  EXPECT_EQ(crc, early_crc);

  Outcome bin;
  Ok("BIN", DISPATCH_PROPERTYGET, {}, bin);
  ASSERT_EQ(bin.result.v.vt, VT_ARRAY | VT_UI1);
  EXPECT_EQ(bin.result.v.parray->rgsabound[0].cElements, early.size());
  VARIANT image;
  VariantInit(&image);
  ASSERT_EQ(VariantCopy(&image, &bin.result.v), S_OK);
  Put("BIN", image);
  EXPECT_EQ(Image(), early);
}

TEST_F(LateBinding, RangesComeBackAsARecord) {
  LoadDefault();
  VRK5420CfgConDataRange early{};
  BStr name("Region_settings\\Hysteresis_percent");
  ASSERT_EQ(cvt_->GetValueRanges(name.get(), nullptr, &early), S_OK);
  BStr early_max = BStr::Adopt(early.MaxVal);
  for (BSTR s : {early.DefaultVal, early.MinVal, early.Increment, early.Dictionary}) SysFreeString(s);

  // In a VARIANT passed by reference: a VT_RECORD whose fields the record description reads.
  Var holder;
  Method("GetValueRanges", {VStr("Region_settings\\Hysteresis_percent"), VMissing(), VRef(VT_VARIANT, &holder.v)});
  ASSERT_EQ(holder.v.vt, VT_RECORD);
  Var max, type;
  ASSERT_EQ(holder.v.pRecInfo->GetField(holder.v.pvRecord, u"maxval", &max.v), S_OK);
  ASSERT_EQ(holder.v.pRecInfo->GetField(holder.v.pvRecord, u"Type", &type.v), S_OK);
  EXPECT_EQ(max.Text(), early_max.ToUtf8());
  EXPECT_EQ(type.v.vt, VT_UI4);
  EXPECT_EQ(type.v.ulVal, early.Type);
  Var copy, copied_max;
  ASSERT_EQ(VariantCopy(&copy.v, &holder.v), S_OK);
  ASSERT_NE(copy.v.pvRecord, holder.v.pvRecord);
  ASSERT_EQ(copy.v.pRecInfo->GetField(copy.v.pvRecord, u"MaxVal", &copied_max.v), S_OK);
  EXPECT_EQ(copied_max.Text(), early_max.ToUtf8());

  // As the caller's own record, described by the record information the library hands out.
  IRecordInfo* info = nullptr;
  ASSERT_EQ(GetRecordInfoFromGuids(LIBID_VRK5420CfgConverterLib, 1, 0, 0, GUID_VRK5420CfgConDataRange, &info),
            S_OK);
  VRK5420CfgConDataRange record{};
  VARIANT by_ref = VRef(VT_RECORD, &record);
  by_ref.pRecInfo = info;
  Method("GetValueRanges", {VStr("Region_settings\\Hysteresis_percent"), VMissing(), by_ref});
  EXPECT_EQ(BStr::Adopt(SysAllocString(record.MaxVal)).ToUtf8(), early_max.ToUtf8());
  info->RecordClear(&record);
  EXPECT_EQ(GetRecordInfoFromGuids(LIBID_VRK5420CfgConverterLib, 1, 0, 0, IID_IUnknown, &info),
            TYPE_E_ELEMENTNOTFOUND);
}

TEST_F(LateBinding, ElementMembersWithALateBoundIndexList) {
  Put("XML", VStr(kMonitoringDocument));
  auto count = [&] {
    Outcome out;
    Ok("GetNodesCount", DISPATCH_METHOD, {VStr("Monitoring\\Element\\"), VMissing()}, out);
    EXPECT_EQ(out.result.v.vt, VT_UI4);
    return out.result.v.ulVal;
  };
  EXPECT_EQ(count(), 3u);
  Method("CreateNode", {VStr("Monitoring\\Element\\"), VUnknown(LateIndexes(Key(4)).get())});
  EXPECT_EQ(count(), 4u);
  Method("DeleteNode", {VStr("Monitoring\\Element\\"), VUnknown(LateIndexes(At({0})).get())});
  EXPECT_EQ(count(), 3u);

  LONG offset = 5;
  Method("MoveNode", {VStr("Monitoring\\Element\\"), VUnknown(LateIndexes(At({0})).get()), VRef(VT_I4, &offset)});
  EXPECT_EQ(offset, 2);

  BSTR text = nullptr;
  Method("GetNodeText", {VStr("Monitoring\\Element\\"), VUnknown(LateIndexes(At({2})).get()), VRef(VT_BSTR, &text)});
  EXPECT_EQ(BStr::Adopt(text).ToUtf8(), "<Element Number=\"1\"/>");

  BSTR tried = BStr("0007").release();
  Method("CheckValueRanges", {VStr("Data_transfer_settings\\param_min_int"), VMissing(), VRef(VT_BSTR, &tried)});
  EXPECT_EQ(BStr::Adopt(tried).ToUtf8(), "7");
}

TEST_F(LateBinding, ModePropertiesTakeAndGiveIntegers) {
  LoadDefault();
  Put("ImperialSystemMeasurement", VI4(1));
  EXPECT_EQ(GetI4("ImperialSystemMeasurement"), 1);
  Put("ImperialSystemMeasurement", VI4(-1));
  EXPECT_EQ(GetI4("imperialsystemmeasurement"), 0);
  Put("CompatibilityThrsSCADA21", VStr("1"));  // text coerced to an integer
  EXPECT_EQ(GetI4("CompatibilityThrsSCADA21"), 1);
}

TEST_F(LateBinding, FailuresCarryTheComponentsMessage) {
  Outcome none;
  InvokeByName(cvt_.get(), "GetValue", DISPATCH_METHOD, {VStr("Cfg\\DeviceType"), VMissing()}, none);
  EXPECT_EQ(none.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(none.excep.scode, E_FAIL);
  EXPECT_EQ(none.Description(), "The configuration has not been loaded");
  EXPECT_EQ(BStr::Adopt(SysAllocString(none.excep.bstrSource)).ToUtf8(), kConverterProgId);
  EXPECT_EQ(TakeErrorDescription(), "The configuration has not been loaded");  // the thread still has it

  Outcome no_offset;
  InvokeByName(cvt_.get(), "MoveNode", DISPATCH_METHOD, {VStr("Monitoring\\Element\\"), VMissing(), VMissing()},
               no_offset);
  EXPECT_EQ(no_offset.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(no_offset.excep.scode, E_INVALIDARG);
}

// Scripts without variables by reference pass plain values for [out] arguments; the call goes through and only
// the [out, retval] result comes back.
TEST_F(LateBinding, PlainValuesForOutArguments) {
  LoadDefault();
  Method("SetValue", {VStr("Region_settings\\Hysteresis_percent"), VMissing(), VStr("20")});
  Outcome changed;
  Ok("GetChanged", DISPATCH_METHOD, {VI4(0)}, changed);
  EXPECT_EQ(changed.result.v.vt, VT_I4);
  EXPECT_EQ(changed.result.v.lVal, 1);
  Method("GetBIN", {VI4(0), VStr("")});
  Method("GetNodeText", {VStr("Monitoring\\"), VMissing(), VI4(0)});

  EXPECT_EQ(InvokeResult("GetValueRanges", DISPATCH_METHOD,
                         {VStr("Region_settings\\Hysteresis_percent"), VMissing(), VI4(0)}),
            DISP_E_TYPEMISMATCH);
  BSTR text = nullptr;
  EXPECT_EQ(InvokeResult("GetChanged", DISPATCH_METHOD, {VRef(VT_BSTR, &text)}), DISP_E_TYPEMISMATCH);
}

TEST_F(LateBinding, RefusalCodes) {
  LoadDefault();
  EXPECT_EQ(InvokeResult("NoSuchMember", DISPATCH_METHOD, {}), DISP_E_UNKNOWNNAME);

  DISPPARAMS none{nullptr, nullptr, 0, 0};
  Var result;
  EXPECT_EQ(cvt_->Invoke(0x12345, IID_NULL, 0, DISPATCH_METHOD, &none, &result.v, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(cvt_->Invoke(0x60020005, IID_IUnknown, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);

  EXPECT_EQ(InvokeResult("CreateNewCfg", DISPATCH_PROPERTYPUT, {VI4(1)}), DISP_E_MEMBERNOTFOUND);

  EXPECT_EQ(InvokeResult("GetValue", DISPATCH_METHOD, {VStr("Cfg\\DeviceType")}), DISP_E_BADPARAMCOUNT);

  Outcome wrong_type;
  InvokeByName(cvt_.get(), "GetValue", DISPATCH_METHOD, {VStr("Cfg\\DeviceType"), VStr("not a list")}, wrong_type);
  EXPECT_EQ(wrong_type.hr, DISP_E_TYPEMISMATCH);
  EXPECT_EQ(wrong_type.arg_err, 0u);  // the last argument stands first
  EXPECT_EQ(InvokeResult("FlushUndoRedo", DISPATCH_METHOD, {VStr("ten")}), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(InvokeResult("FlushUndoRedo", DISPATCH_METHOD, {VI4(-1)}), DISP_E_OVERFLOW);
  Outcome missing_name;
  InvokeByName(cvt_.get(), "GetValue", DISPATCH_METHOD, {VMissing(), VMissing()}, missing_name);
  EXPECT_EQ(missing_name.hr, DISP_E_PARAMNOTOPTIONAL);
  EXPECT_EQ(missing_name.arg_err, 1u);

  VARIANT arg = VI4(5);
  DISPID named = 0;
  DISPPARAMS named_params{&arg, &named, 1, 1};
  EXPECT_EQ(cvt_->Invoke(0x60020015, IID_NULL, 0, DISPATCH_METHOD, &named_params, nullptr, nullptr, nullptr),
            DISP_E_NONAMEDARGS);

  UINT count = 7;
  ITypeInfo* info = reinterpret_cast<ITypeInfo*>(&count);
  EXPECT_EQ(cvt_->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(cvt_->GetTypeInfo(0, 0, &info), DISP_E_BADINDEX);
  EXPECT_EQ(info, nullptr);
}

TEST_F(LateBinding, NamesResolveInAnyCaseAndTheIndexListHasItsMembers) {
  BStr lower("getnodetext"), param("Name");
  OLECHAR* names[] = {lower.get(), param.get()};
  DISPID ids[2] = {0, 0};
  EXPECT_EQ(cvt_->GetIDsOfNames(IID_NULL, names, 1, 0, ids), S_OK);
  EXPECT_EQ(ids[0], 0x15);
  EXPECT_EQ(cvt_->GetIDsOfNames(IID_NULL, names, 2, 0, ids), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(ids[0], 0x15);
  EXPECT_EQ(ids[1], DISPID_UNKNOWN);
  // The index list's members, and its index out of range.
  ComPtr<IVRK5420CfgConValueIndexes> list = LateIndexes({{false, 4}, {true, 7}});
  Outcome count, flag, value, beyond;
  InvokeByName(list.get(), "count", DISPATCH_PROPERTYGET, {}, count);
  EXPECT_EQ(count.result.v.vt, VT_UI4);
  EXPECT_EQ(count.result.v.ulVal, 2u);
  InvokeByName(list.get(), "UseAttr", DISPATCH_PROPERTYGET, {VI4(1)}, flag);
  EXPECT_EQ(flag.result.v.lVal, 1);
  InvokeByName(list.get(), "Value", DISPATCH_PROPERTYGET, {VI2(1)}, value);
  EXPECT_EQ(value.result.v.ulVal, 7u);
  InvokeByName(list.get(), "Value", DISPATCH_PROPERTYGET, {VI4(2)}, beyond);
  EXPECT_EQ(beyond.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(beyond.excep.scode, E_INVALIDARG);
  Outcome method;
  InvokeByName(list.get(), "Count", DISPATCH_PROPERTYPUTREF, {VI4(1)}, method);
  EXPECT_EQ(method.hr, DISP_E_MEMBERNOTFOUND);
}

}  // namespace
}  // namespace vrk::test
