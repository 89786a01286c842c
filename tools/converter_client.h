// The command-line tool's side of the automation interface: creates the converter through the server's class
// objects, drives it, and turns failed calls into the component's own error descriptions.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "client/converter.h"

namespace vrk::tools {

// A failed call or file operation. `description` is the component's error description (a message, then, after
// a line feed, its detail: the descriptor's path, the parser's reason and position) or a text of the tool's own.
// `subject` names the file it concerns when that is not the command's first one.
class CallError : public std::runtime_error {
 public:
  explicit CallError(const std::string& description, std::string subject = std::string())
      : std::runtime_error(description), subject_(std::move(subject)) {}
  const std::string& subject() const { return subject_; }
  // The description's first line, and the rest (empty when there is none).
  std::string message() const;
  std::string detail() const;

 private:
  std::string subject_;
};

// One index-list entry as written on the command line: "2" (position) or "#3" (key value).
using IndexArg = client::IndexEntry;
// Throws std::invalid_argument for anything else, std::out_of_range for a number over 32 bits.
IndexArg ParseIndexArg(const std::string& text);

struct RangeInfo {
  ULONG type;
  std::string default_value;
  ULONG min_constraint;
  std::string min;
  ULONG max_constraint;
  std::string max;
  LONG add_constraint;
  std::string increment;
  std::string dictionary;
};

// What a configuration file holds, told by its first bytes: a binary image starts with its "CONF" tag.
enum class FileKind { kDocument, kImage };

class ConverterClient {
 public:
  ConverterClient();

  // XML put or BIN put, whichever the bytes hold; returns which it was.
  FileKind LoadAny(const std::string& bytes);
  // BIN put of image bytes.
  void LoadImage(const std::string& bytes);
  void CreateNew();
  void SetImperial(bool on);
  // XML get, encoded back into the document's declared encoding.
  std::string DocumentBytes();
  // XML get as the component gives it.
  std::u16string DocumentText();

  std::string GetValue(const std::string& path, const std::vector<IndexArg>& indexes);
  // Returns the value as stored and read back.
  std::string SetValue(const std::string& path, const std::string& value, const std::vector<IndexArg>& indexes);
  // GetBIN: the configuration's binary image and its CRC-32.
  std::string ImageBytes(uint32_t* crc32);
  // ArrangeNodeData of the element that `path` names.
  void Arrange(const std::string& path, const std::vector<IndexArg>& indexes);
  RangeInfo GetRanges(const std::string& path, const std::vector<IndexArg>& indexes);
  // CheckValueRanges: validates `value` as SetValue would, without its cross-checks, and changes nothing.
  void CheckValue(const std::string& path, const std::string& value, const std::vector<IndexArg>& indexes);
  // SetValue with no value: removes the attribute.
  void UnsetValue(const std::string& path, const std::vector<IndexArg>& indexes);
  void CreateNode(const std::string& path, const std::vector<IndexArg>& indexes);
  void DeleteNode(const std::string& path, const std::vector<IndexArg>& indexes);
  // Returns the offset the element really moved by.
  LONG MoveNode(const std::string& path, const std::vector<IndexArg>& indexes, LONG offset);
  // GetNodeText: the occurrence's XML, nullopt when it does not exist.
  std::optional<std::string> NodeText(const std::string& path, const std::vector<IndexArg>& indexes);
  // SetNodeText with an element's XML text.
  void SetNodeText(const std::string& path, const std::vector<IndexArg>& indexes, const std::u16string& xml);
  ULONG NodesCount(const std::string& path, const std::vector<IndexArg>& indexes);
  void BeginUpdate();
  void EndUpdate();
  void SetIdenticalBands(bool on);
  void SetCompatibilityDidir(bool on);

 private:
  void LoadDocument(const std::string& bytes);

  client::Converter converter_;
};

}  // namespace vrk::tools
