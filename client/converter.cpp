#include "client/converter.h"

#include "client/byte_array.h"
#include "client/call_failure.h"
#include "client/object_factory.h"
#include "platform/bstr.h"
#include "platform/safe_array.h"

namespace vrk::client {
namespace {

using Getter = HRESULT (STDMETHODCALLTYPE IVRK5420CfgConverter::*)(LONG*);
using Putter = HRESULT (STDMETHODCALLTYPE IVRK5420CfgConverter::*)(LONG);

std::pair<Getter, Putter> Accessors(Flag flag) {
  switch (flag) {
    case Flag::kIdenticalVibroBands:
      return {&IVRK5420CfgConverter::get_IdenticalVibroBands, &IVRK5420CfgConverter::put_IdenticalVibroBands};
    case Flag::kImperialSystemMeasurement:
      return {&IVRK5420CfgConverter::get_ImperialSystemMeasurement,
              &IVRK5420CfgConverter::put_ImperialSystemMeasurement};
    case Flag::kCompatibilityThrsSCADA21:
      break;
  }
  return {&IVRK5420CfgConverter::get_CompatibilityThrsSCADA21, &IVRK5420CfgConverter::put_CompatibilityThrsSCADA21};
}

using InOutCall = HRESULT (STDMETHODCALLTYPE IVRK5420CfgConverter::*)(BSTR, IVRK5420CfgConValueIndexes*, BSTR*);

// A call with a BSTR [in, out] slot: the callee frees what the slot holds and puts its result there, failed or
// not, so the slot is owned again before the outcome is looked at.
std::u16string InOut(InOutCall call, IVRK5420CfgConverter& object, std::u16string_view name,
                     const IndexList& indexes, BStr text) {
  BSTR slot = text.release();
  const HRESULT hr = (object.*call)(BStr(name).get(), MakeIndexList(indexes).get(), &slot);
  const BStr result = BStr::Adopt(slot);
  Check(hr);
  return result.ToUtf16();
}

}  // namespace

Converter::Converter() : object_(NewConverterObject()) {}

std::u16string Converter::GetXml() {
  BStr text;
  Check(object_->get_XML(text.Out()));
  return text.ToUtf16();
}

void Converter::PutXml(std::u16string_view xml) { Check(object_->put_XML(BStr(xml).get())); }

std::string Converter::GetBin() {
  SAFEARRAY* raw = nullptr;
  Check(object_->get_BIN(&raw));
  const SafeArrayPtr array(raw);
  return BytesOf(array.get());
}

void Converter::PutBin(std::string_view image) { Check(object_->put_BIN(MakeByteArray(image).get())); }

std::pair<std::string, ULONG> Converter::GetBinWithCrc() {
  SAFEARRAY* raw = nullptr;
  ULONG crc = 0;
  Check(object_->GetBIN(&raw, &crc));
  const SafeArrayPtr array(raw);
  return {BytesOf(array.get()), crc};
}

void Converter::CreateNewCfg() { Check(object_->CreateNewCfg()); }

DataRange Converter::GetValueRanges(std::u16string_view name, const IndexList& indexes) {
  VRK5420CfgConDataRange raw{};
  const HRESULT hr = object_->GetValueRanges(BStr(name).get(), MakeIndexList(indexes).get(), &raw);
  const BStr default_value = BStr::Adopt(raw.DefaultVal), min = BStr::Adopt(raw.MinVal),
             max = BStr::Adopt(raw.MaxVal), increment = BStr::Adopt(raw.Increment),
             dictionary = BStr::Adopt(raw.Dictionary);
  Check(hr);
  return {raw.Type,          default_value.ToUtf16(), raw.MinConstraint,  min.ToUtf16(),
          raw.MaxConstraint, max.ToUtf16(),           raw.AddConstraint,  increment.ToUtf16(),
          dictionary.ToUtf16()};
}

std::u16string Converter::GetValue(std::u16string_view name, const IndexList& indexes) {
  BStr value;
  Check(object_->GetValue(BStr(name).get(), MakeIndexList(indexes).get(), value.Out()));
  return value.ToUtf16();
}

std::u16string Converter::SetValue(std::u16string_view name, const IndexList& indexes,
                                   const std::optional<std::u16string>& value) {
  return InOut(&IVRK5420CfgConverter::SetValue, *object_.get(), name, indexes,
               value ? BStr(std::u16string_view(*value)) : BStr());
}

std::u16string Converter::CheckValueRanges(std::u16string_view name, const IndexList& indexes,
                                           std::u16string_view value) {
  return InOut(&IVRK5420CfgConverter::CheckValueRanges, *object_.get(), name, indexes, BStr(value));
}

void Converter::CreateNode(std::u16string_view name, const IndexList& indexes) {
  Check(object_->CreateNode(BStr(name).get(), MakeIndexList(indexes).get()));
}

void Converter::DeleteNode(std::u16string_view name, const IndexList& indexes) {
  Check(object_->DeleteNode(BStr(name).get(), MakeIndexList(indexes).get()));
}

LONG Converter::MoveNode(std::u16string_view name, const IndexList& indexes, LONG offset) {
  Check(object_->MoveNode(BStr(name).get(), MakeIndexList(indexes).get(), &offset));
  return offset;
}

std::optional<std::u16string> Converter::GetNodeText(std::u16string_view name, const IndexList& indexes) {
  BStr text;
  Check(object_->GetNodeText(BStr(name).get(), MakeIndexList(indexes).get(), text.Out()));
  if (text.get() == nullptr) return std::nullopt;
  return text.ToUtf16();
}

void Converter::SetNodeText(std::u16string_view name, const IndexList& indexes, std::u16string_view text) {
  Check(object_->SetNodeText(BStr(name).get(), MakeIndexList(indexes).get(), BStr(text).get()));
}

ULONG Converter::GetNodesCount(std::u16string_view name, const IndexList& indexes) {
  ULONG count = 0;
  Check(object_->GetNodesCount(BStr(name).get(), MakeIndexList(indexes).get(), &count));
  return count;
}

void Converter::ArrangeNodeData(std::u16string_view name, const IndexList& indexes) {
  Check(object_->ArrangeNodeData(BStr(name).get(), MakeIndexList(indexes).get()));
}

void Converter::CheckNodeData(std::u16string_view name, const IndexList& indexes) {
  Check(object_->CheckNodeData(BStr(name).get(), MakeIndexList(indexes).get()));
}

void Converter::BeginUpdate() { Check(object_->BeginUpdate()); }

void Converter::EndUpdate() { Check(object_->EndUpdate()); }

std::pair<ULONG, bool> Converter::GetChanged() {
  ULONG counter = 0;
  LONG changed = 0;
  Check(object_->GetChanged(&counter, &changed));
  return {counter, changed != 0};
}

void Converter::FlushUndoRedo(ULONG size) { Check(object_->FlushUndoRedo(size)); }

void Converter::SetSavePoint() { Check(object_->SetSavePoint()); }

bool Converter::GetFlag(Flag flag) {
  LONG value = 0;
  Check((object_.get()->*Accessors(flag).first)(&value));
  return value != 0;
}

void Converter::PutFlag(Flag flag, bool on) { Check((object_.get()->*Accessors(flag).second)(on ? 1 : 0)); }

}  // namespace vrk::client
