#include "tools/converter_client.h"

#include <algorithm>
#include <sstream>

#include "platform/bstr.h"
#include "platform/safe_array.h"
#include "platform/oleauto.h"
#include "platform/xml_text_codec.h"
#include "schema/xml_errors.h"
#include "tools/tool_text.h"

namespace vrk::tools {
namespace {

template <typename T>
ComPtr<T> CreateObject(REFCLSID clsid, REFIID iid) {
  ComPtr<IClassFactory> factory;
  ComPtr<T> object;
  if (FAILED(DllGetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.Out()))) ||
      FAILED(factory->CreateInstance(nullptr, iid, reinterpret_cast<void**>(object.Out()))))
    throw CallError(Text(Say::kCannotCreateConverter));
  return object;
}

}  // namespace

std::string CallError::message() const {
  const std::string description = what();
  return description.substr(0, description.find('\n'));
}

std::string CallError::detail() const {
  const std::string description = what();
  const std::size_t line_feed = description.find('\n');
  return line_feed == std::string::npos ? std::string() : description.substr(line_feed + 1);
}

IndexArg ParseIndexArg(const std::string& text) {
  const bool use_attr = !text.empty() && text[0] == '#';
  const std::string digits = use_attr ? text.substr(1) : text;
  if (digits.empty() || digits.size() > 10 || digits.find_first_not_of("0123456789") != std::string::npos)
    throw std::invalid_argument("bad index '" + text + "'");
  const unsigned long long value = std::stoull(digits);
  if (value > 0xFFFFFFFFull) throw std::out_of_range("index out of range '" + text + "'");
  return {use_attr, static_cast<uint32_t>(value)};
}

ConverterClient::ConverterClient()
    : converter_(CreateObject<IVRK5420CfgConverter>(CLSID_VRK5420CfgConverter, IID_IVRK5420CfgConverter)) {}

void ConverterClient::Check(HRESULT hr) {
  if (SUCCEEDED(hr)) return;
  ComPtr<IErrorInfo> info;
  BStr description;
  if (GetErrorInfo(0, info.Out()) == S_OK && info) info->GetDescription(description.Out());
  std::string text = description.ToUtf8();
  if (text.empty() && hr == E_OUTOFMEMORY) text = Text(Say::kOutOfMemory);
  if (text.empty()) {
    std::ostringstream code;
    code << "call failed with code 0x" << std::hex << static_cast<uint32_t>(hr);
    text = code.str();
  }
  throw CallError(text);
}

FileKind ConverterClient::LoadAny(const std::string& bytes) {
  if (bytes.starts_with("CONF")) {
    LoadImage(bytes);
    return FileKind::kImage;
  }
  LoadDocument(bytes);
  return FileKind::kDocument;
}

void ConverterClient::LoadDocument(const std::string& bytes) {
  std::u16string text;
  try {
    text = XmlBytesToText(bytes);
  } catch (const TextCodecError& e) {
    if (e.decoding_failure()) throw CallError(UndecodableDocumentDescription(*e.decoding_failure()));
    throw CallError(e.what());
  }
  BStr bstr{std::u16string_view(text)};
  Check(converter_->put_XML(bstr.get()));
}

void ConverterClient::LoadImage(const std::string& bytes) {
  if (bytes.size() > 0x7FFFFFFFu) throw CallError("the image is too large");
  SafeArrayPtr array(SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size())));
  if (!array) throw CallError("the image is too large");
  std::copy(bytes.begin(), bytes.end(), static_cast<char*>(array.get()->pvData));
  Check(converter_->put_BIN(array.get()));
}

std::string ConverterClient::ImageBytes(uint32_t* crc32) {
  SAFEARRAY* raw = nullptr;
  ULONG crc = 0;
  Check(converter_->GetBIN(&raw, &crc));
  SafeArrayPtr array(raw);
  if (crc32 != nullptr) *crc32 = crc;
  return std::string(static_cast<const char*>(raw->pvData), raw->rgsabound[0].cElements);
}

void ConverterClient::CreateNew() { Check(converter_->CreateNewCfg()); }

void ConverterClient::SetImperial(bool on) { Check(converter_->put_ImperialSystemMeasurement(on ? 1 : 0)); }

std::u16string ConverterClient::DocumentText() {
  BStr text;
  Check(converter_->get_XML(text.Out()));
  return std::u16string(text.View());
}

std::string ConverterClient::DocumentBytes() {
  const std::u16string text = DocumentText();
  try {
    return XmlTextToBytes(text);
  } catch (const TextCodecError& e) {
    throw CallError(e.what());
  }
}

ComPtr<IVRK5420CfgConValueIndexes> ConverterClient::MakeIndexes(const std::vector<IndexArg>& indexes) {
  auto list = CreateObject<IVRK5420CfgConValueIndexes>(CLSID_VRK5420CfgConValueIndexes,
                                                        IID_IVRK5420CfgConValueIndexes);
  list->put_Count(static_cast<ULONG>(indexes.size()));
  for (ULONG i = 0; i < indexes.size(); ++i) {
    list->put_UseAttr(i, indexes[i].use_attr ? 1 : 0);
    list->put_Value(i, indexes[i].value);
  }
  return list;
}

std::string ConverterClient::GetValue(const std::string& path, const std::vector<IndexArg>& indexes) {
  BStr name(path), value;
  Check(converter_->GetValue(name.get(), MakeIndexes(indexes).get(), value.Out()));
  return value.ToUtf8();
}

std::string ConverterClient::SetValue(const std::string& path, const std::string& value,
                                      const std::vector<IndexArg>& indexes) {
  BStr name(path), text(value);
  BSTR raw = text.release();
  const HRESULT hr = converter_->SetValue(name.get(), MakeIndexes(indexes).get(), &raw);
  BStr result = BStr::Adopt(raw);
  Check(hr);
  return result.ToUtf8();
}

void ConverterClient::Arrange(const std::string& path, const std::vector<IndexArg>& indexes) {
  BStr name(path);
  Check(converter_->ArrangeNodeData(name.get(), MakeIndexes(indexes).get()));
}

RangeInfo ConverterClient::GetRanges(const std::string& path, const std::vector<IndexArg>& indexes) {
  BStr name(path);
  VRK5420CfgConDataRange range{};
  Check(converter_->GetValueRanges(name.get(), MakeIndexes(indexes).get(), &range));
  BStr default_value = BStr::Adopt(range.DefaultVal), min = BStr::Adopt(range.MinVal),
       max = BStr::Adopt(range.MaxVal), increment = BStr::Adopt(range.Increment),
       dictionary = BStr::Adopt(range.Dictionary);
  return {range.Type,         default_value.ToUtf8(), range.MinConstraint,   min.ToUtf8(),
          range.MaxConstraint, max.ToUtf8(),          range.AddConstraint,  increment.ToUtf8(),
          dictionary.ToUtf8()};
}

void ConverterClient::CheckValue(const std::string& path, const std::string& value,
                                 const std::vector<IndexArg>& indexes) {
  BStr name(path), text(value);
  BSTR raw = text.release();
  const HRESULT hr = converter_->CheckValueRanges(name.get(), MakeIndexes(indexes).get(), &raw);
  BStr result = BStr::Adopt(raw);
  Check(hr);
}

void ConverterClient::UnsetValue(const std::string& path, const std::vector<IndexArg>& indexes) {
  BStr name(path);
  BSTR none = nullptr;
  const HRESULT hr = converter_->SetValue(name.get(), MakeIndexes(indexes).get(), &none);
  BStr result = BStr::Adopt(none);
  Check(hr);
}

void ConverterClient::CreateNode(const std::string& path, const std::vector<IndexArg>& indexes) {
  BStr name(path);
  Check(converter_->CreateNode(name.get(), MakeIndexes(indexes).get()));
}

void ConverterClient::DeleteNode(const std::string& path, const std::vector<IndexArg>& indexes) {
  BStr name(path);
  Check(converter_->DeleteNode(name.get(), MakeIndexes(indexes).get()));
}

LONG ConverterClient::MoveNode(const std::string& path, const std::vector<IndexArg>& indexes, LONG offset) {
  BStr name(path);
  Check(converter_->MoveNode(name.get(), MakeIndexes(indexes).get(), &offset));
  return offset;
}

std::optional<std::string> ConverterClient::NodeText(const std::string& path, const std::vector<IndexArg>& indexes) {
  BStr name(path), text;
  Check(converter_->GetNodeText(name.get(), MakeIndexes(indexes).get(), text.Out()));
  if (text.get() == nullptr) return std::nullopt;
  return text.ToUtf8();
}

void ConverterClient::SetNodeText(const std::string& path, const std::vector<IndexArg>& indexes,
                                  const std::u16string& xml) {
  BStr name(path), text{std::u16string_view(xml)};
  Check(converter_->SetNodeText(name.get(), MakeIndexes(indexes).get(), text.get()));
}

ULONG ConverterClient::NodesCount(const std::string& path, const std::vector<IndexArg>& indexes) {
  BStr name(path);
  ULONG count = 0;
  Check(converter_->GetNodesCount(name.get(), MakeIndexes(indexes).get(), &count));
  return count;
}

void ConverterClient::BeginUpdate() { Check(converter_->BeginUpdate()); }

void ConverterClient::EndUpdate() { Check(converter_->EndUpdate()); }

void ConverterClient::SetIdenticalBands(bool on) { Check(converter_->put_IdenticalVibroBands(on ? 1 : 0)); }

void ConverterClient::SetCompatibilityDidir(bool on) { Check(converter_->put_CompatibilityThrsSCADA21(on ? 1 : 0)); }

}  // namespace vrk::tools
