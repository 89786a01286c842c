#include "tools/converter_client.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/bstr.h"
#include "platform/safe_array.h"
#include "platform/oleauto.h"
#include "platform/xml_text_codec.h"
#include "schema/xml_errors.h"

namespace vrk::tools {
namespace {

template <typename T>
ComPtr<T> CreateObject(REFCLSID clsid, REFIID iid) {
  ComPtr<IClassFactory> factory;
  ComPtr<T> object;
  if (FAILED(DllGetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.Out()))) ||
      FAILED(factory->CreateInstance(nullptr, iid, reinterpret_cast<void**>(object.Out()))))
    throw CallError("the converter component cannot be created");
  return object;
}

}  // namespace

std::string ReadFileBytes(const std::string& file, std::istream& in) {
  if (file == "-") return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  std::ifstream stream(file, std::ios::binary);
  if (!stream) throw CallError("cannot be read");
  return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

IndexArg ParseIndexArg(const std::string& text) {
  const bool use_attr = !text.empty() && text[0] == '#';
  const std::string digits = use_attr ? text.substr(1) : text;
  if (digits.empty() || digits.size() > 10 || digits.find_first_not_of("0123456789") != std::string::npos)
    throw std::invalid_argument("bad index '" + text + "'");
  const unsigned long long value = std::stoull(digits);
  if (value > 0xFFFFFFFFull) throw std::invalid_argument("index out of range '" + text + "'");
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
  if (text.empty()) {
    std::ostringstream code;
    code << "call failed with code 0x" << std::hex << static_cast<uint32_t>(hr);
    text = code.str();
  }
  throw CallError(text);
}

void ConverterClient::LoadFile(const std::string& file, std::istream& in) { LoadDocument(ReadFileBytes(file, in)); }

void ConverterClient::LoadImageFile(const std::string& file, std::istream& in) { LoadImage(ReadFileBytes(file, in)); }

FileKind ConverterClient::LoadAnyFile(const std::string& file, std::istream& in) {
  const std::string bytes = ReadFileBytes(file, in);
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

}  // namespace vrk::tools
