// Printing the tree of an image for `vrkcfg inspect`.
#include "bin/image_dump.h"

#include <cstdio>
#include <ostream>

#include "bin/bin_image.h"
#include "bin/tag_bin_conf.h"
#include "bin/tag_format.h"
#include "bin/version_probe.h"
#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "platform/json_text.h"

namespace vrk::bin {
namespace {

constexpr std::size_t kBytesPerLine = 16;

const char* TreeName(uint32_t version_word) {
  try {
    switch (SelectTreeVersion(version_word)) {
      case BinTreeVersion::kV1: return "v1";
      case BinTreeVersion::kV2: return "v2";
      case BinTreeVersion::kV6: return "v6";
      case BinTreeVersion::kV7: return "v7";
    }
  } catch (const CConvException&) {
  }
  return nullptr;
}

std::string Hex32(uint32_t value) {
  char text[11];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

std::string HexBytes(const std::vector<uint8_t>& bytes, std::size_t from, std::size_t to, const char* separator) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  for (std::size_t i = from; i < to && i < bytes.size(); ++i) {
    if (i != from) text += separator;
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 0xF];
  }
  return text;
}

// Content bytes that no present child claimed: unknown tags and trailing bytes the reader skipped.
uint64_t SkippedBytes(const CNodeTagBIN& tag) {
  uint64_t claimed = tag.DataSize();
  tag.ForEachChild([&claimed](const CNodeTagBIN& child) {
    if (child.IsPresent()) claimed += kTagHeaderSize + uint64_t(child.ContentSize());
  });
  return claimed < tag.ContentSize() ? tag.ContentSize() - claimed : 0;
}

void PrintTagText(const CNodeTagBIN& tag, int depth, std::ostream& out) {
  const std::string indent(2 * std::size_t(depth), ' ');
  out << indent << tag.GetTagName() << " content " << tag.ContentSize() << " data " << tag.DataSize()
      << " records " << tag.RecordCount();
  if (const uint64_t skipped = SkippedBytes(tag)) out << " skipped " << skipped;
  out << '\n';
  for (std::size_t i = 0; i < tag.RecordCount(); ++i) {
    const std::vector<uint8_t> bytes = tag.RecordImage(i);
    const std::string label = indent + "  [" + std::to_string(i) + "] ";
    for (std::size_t at = 0; at < bytes.size() || at == 0; at += kBytesPerLine) {
      out << (at == 0 ? label : std::string(label.size(), ' ')) << HexBytes(bytes, at, at + kBytesPerLine, " ")
          << '\n';
      if (bytes.empty()) break;
    }
  }
  tag.ForEachChild([&](const CNodeTagBIN& child) {
    if (child.IsPresent()) PrintTagText(child, depth + 1, out);
  });
}

void PrintTagJson(const CNodeTagBIN& tag, std::ostream& out) {
  out << "{\"tag\":" << JsonString(tag.GetTagName()) << ",\"content\":" << tag.ContentSize()
      << ",\"data\":" << tag.DataSize() << ",\"skipped\":" << SkippedBytes(tag) << ",\"records\":[";
  for (std::size_t i = 0; i < tag.RecordCount(); ++i) {
    const std::vector<uint8_t> bytes = tag.RecordImage(i);
    out << (i ? "," : "") << '"' << HexBytes(bytes, 0, bytes.size(), "") << '"';
  }
  out << "],\"children\":[";
  bool first = true;
  tag.ForEachChild([&](const CNodeTagBIN& child) {
    if (!child.IsPresent()) return;
    if (!first) out << ',';
    first = false;
    PrintTagJson(child, out);
  });
  out << "]}";
}

const char* CrcState(const ImageReport& report) {
  if (!report.error) return "checked";
  return report.crc_mismatch ? "mismatch" : "not checked";
}

std::optional<uint32_t> StoredCrc(const CNodeTagBIN& root) {
  std::optional<uint32_t> crc;
  root.ForEachChild([&crc](const CNodeTagBIN& child) {
    const auto* header = dynamic_cast<const CConfigHeaderTagBIN*>(&child);
    if (header && header->IsPresent() && !header->Records().empty()) crc = header->Record().crc;
  });
  return crc;
}

}  // namespace

ImageReport InspectImage(const uint8_t* data, std::size_t size) {
  ImageReport report;
  report.image_size = size;
  try {
    report.version_word = ProbeImageVersion(data, size);
    report.root = MakeTree(SelectTreeVersion(*report.version_word));
    ReadImage(*report.root, data, size);
    if (!report.root->IsPresent()) ThrowMessageArgs(kMsgNoMandatoryTag, {report.root->GetTagName()});
  } catch (const CConvException& error) {
    report.error = error;
    report.crc_mismatch = error.message() == LoadMessage(kMsgCrcError);
  }
  if (report.root) report.stored_crc = StoredCrc(*report.root);
  return report;
}

void PrintReportText(const ImageReport& report, std::ostream& out) {
  out << "size " << report.image_size;
  if (report.version_word) {
    out << ", version " << *report.version_word;
    if (const char* tree = TreeName(*report.version_word)) out << ", tree " << tree;
  }
  out << '\n';
  if (report.stored_crc) out << "crc " << Hex32(*report.stored_crc) << " (" << CrcState(report) << ")\n";
  if (report.root && report.root->IsPresent()) PrintTagText(*report.root, 0, out);
}

void PrintReportJson(const ImageReport& report, std::ostream& out) {
  out << "{\"size\":" << report.image_size << ",\"version\":";
  if (report.version_word) out << *report.version_word; else out << "null";
  const char* tree = report.version_word ? TreeName(*report.version_word) : nullptr;
  out << ",\"tree\":" << (tree ? JsonString(tree) : "null") << ",\"crc\":";
  if (report.stored_crc)
    out << "{\"stored\":" << JsonString(Hex32(*report.stored_crc)) << ",\"state\":" << JsonString(CrcState(report))
        << '}';
  else
    out << "null";
  out << ",\"root\":";
  if (report.root && report.root->IsPresent()) PrintTagJson(*report.root, out); else out << "null";
  out << ",\"error\":";
  if (report.error)
    out << "{\"message\":" << JsonString(report.error->message()) << ",\"detail\":"
        << JsonString(report.error->detail()) << '}';
  else
    out << "null";
  out << "}\n";
}

std::string ErrorText(const CConvException& error) {
  return error.detail().empty() ? error.message() : error.message() + ": " + error.detail();
}

int InspectImageCommand(const std::string& name, const std::vector<uint8_t>& image, bool json, std::ostream& out,
                        std::ostream& err) {
  const ImageReport report = InspectImage(image.data(), image.size());
  if (json) PrintReportJson(report, out); else PrintReportText(report, out);
  if (!report.error) return 0;
  err << name << ": " << ErrorText(*report.error) << '\n';
  return 1;
}

}  // namespace vrk::bin
