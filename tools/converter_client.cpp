#include "tools/converter_client.h"

#include <sstream>

#include "client/call_failure.h"
#include "platform/utf.h"
#include "platform/xml_text_codec.h"
#include "schema/xml_errors.h"
#include "tools/tool_text.h"

namespace vrk::tools {
namespace {

// The component's description of a failed call, or, when it left none, a text of the tool's own.
std::string Describe(const client::CallFailure& failure) {
  std::string text = Utf16ToUtf8(failure.description());
  if (text.empty() && failure.hr() == E_OUTOFMEMORY) text = Text(Say::kOutOfMemory);
  if (text.empty()) {
    std::ostringstream code;
    code << "call failed with code 0x" << std::hex << static_cast<uint32_t>(failure.hr());
    text = code.str();
  }
  return text;
}

// Runs `call`, a call on the converter, throwing CallError when it fails.
template <class Call>
auto Calling(Call&& call) -> decltype(call()) {
  try {
    return call();
  } catch (const client::CallFailure& failure) {
    throw CallError(Describe(failure));
  }
}

client::Converter NewConverter() {
  try {
    return client::Converter();
  } catch (const client::CallFailure&) {
    throw CallError(Text(Say::kCannotCreateConverter));
  }
}

std::u16string Wide(const std::string& path) { return Utf8ToUtf16(path); }

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

ConverterClient::ConverterClient() : converter_(NewConverter()) {}

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
  Calling([&] { converter_.PutXml(text); });
}

void ConverterClient::LoadImage(const std::string& bytes) {
  if (bytes.size() > 0x7FFFFFFFu) throw CallError("the image is too large");
  Calling([&] {
    try {
      converter_.PutBin(bytes);
    } catch (const std::bad_alloc&) {
      throw CallError("the image is too large");
    }
  });
}

std::string ConverterClient::ImageBytes(uint32_t* crc32) {
  auto [image, crc] = Calling([&] { return converter_.GetBinWithCrc(); });
  if (crc32 != nullptr) *crc32 = crc;
  return image;
}

void ConverterClient::CreateNew() { Calling([&] { converter_.CreateNewCfg(); }); }

void ConverterClient::SetImperial(bool on) {
  Calling([&] { converter_.PutFlag(client::Flag::kImperialSystemMeasurement, on); });
}

std::u16string ConverterClient::DocumentText() { return Calling([&] { return converter_.GetXml(); }); }

std::string ConverterClient::DocumentBytes() {
  const std::u16string text = DocumentText();
  try {
    return XmlTextToBytes(text);
  } catch (const TextCodecError& e) {
    throw CallError(e.what());
  }
}

std::string ConverterClient::GetValue(const std::string& path, const std::vector<IndexArg>& indexes) {
  return Utf16ToUtf8(Calling([&] { return converter_.GetValue(Wide(path), indexes); }));
}

std::string ConverterClient::SetValue(const std::string& path, const std::string& value,
                                      const std::vector<IndexArg>& indexes) {
  return Utf16ToUtf8(Calling([&] { return converter_.SetValue(Wide(path), indexes, Wide(value)); }));
}

void ConverterClient::Arrange(const std::string& path, const std::vector<IndexArg>& indexes) {
  Calling([&] { converter_.ArrangeNodeData(Wide(path), indexes); });
}

RangeInfo ConverterClient::GetRanges(const std::string& path, const std::vector<IndexArg>& indexes) {
  const client::DataRange range = Calling([&] { return converter_.GetValueRanges(Wide(path), indexes); });
  return {range.Type,          Utf16ToUtf8(range.DefaultVal), range.MinConstraint,
          Utf16ToUtf8(range.MinVal), range.MaxConstraint,      Utf16ToUtf8(range.MaxVal),
          range.AddConstraint, Utf16ToUtf8(range.Increment),  Utf16ToUtf8(range.Dictionary)};
}

void ConverterClient::CheckValue(const std::string& path, const std::string& value,
                                 const std::vector<IndexArg>& indexes) {
  Calling([&] { converter_.CheckValueRanges(Wide(path), indexes, Wide(value)); });
}

void ConverterClient::UnsetValue(const std::string& path, const std::vector<IndexArg>& indexes) {
  Calling([&] { converter_.SetValue(Wide(path), indexes, std::nullopt); });
}

void ConverterClient::CreateNode(const std::string& path, const std::vector<IndexArg>& indexes) {
  Calling([&] { converter_.CreateNode(Wide(path), indexes); });
}

void ConverterClient::DeleteNode(const std::string& path, const std::vector<IndexArg>& indexes) {
  Calling([&] { converter_.DeleteNode(Wide(path), indexes); });
}

LONG ConverterClient::MoveNode(const std::string& path, const std::vector<IndexArg>& indexes, LONG offset) {
  return Calling([&] { return converter_.MoveNode(Wide(path), indexes, offset); });
}

std::optional<std::string> ConverterClient::NodeText(const std::string& path, const std::vector<IndexArg>& indexes) {
  const std::optional<std::u16string> text = Calling([&] { return converter_.GetNodeText(Wide(path), indexes); });
  if (!text) return std::nullopt;
  return Utf16ToUtf8(*text);
}

void ConverterClient::SetNodeText(const std::string& path, const std::vector<IndexArg>& indexes,
                                  const std::u16string& xml) {
  Calling([&] { converter_.SetNodeText(Wide(path), indexes, xml); });
}

ULONG ConverterClient::NodesCount(const std::string& path, const std::vector<IndexArg>& indexes) {
  return Calling([&] { return converter_.GetNodesCount(Wide(path), indexes); });
}

void ConverterClient::BeginUpdate() { Calling([&] { converter_.BeginUpdate(); }); }

void ConverterClient::EndUpdate() { Calling([&] { converter_.EndUpdate(); }); }

void ConverterClient::SetIdenticalBands(bool on) {
  Calling([&] { converter_.PutFlag(client::Flag::kIdenticalVibroBands, on); });
}

void ConverterClient::SetCompatibilityDidir(bool on) {
  Calling([&] { converter_.PutFlag(client::Flag::kCompatibilityThrsSCADA21, on); });
}

}  // namespace vrk::tools
