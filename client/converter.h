// Converter: the calls of the converter object's interface with owned arguments and results. Texts cross as
// UTF-16, images as byte strings, index lists as IndexList; BSTRs, arrays and records the interface hands out
// are owned before the outcome is looked at, so nothing leaks when a call fails. Every failed call throws
// CallFailure.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "client/index_list.h"
#include "interface/vrk5420_interfaces.h"
#include "platform/com_ptr.h"

namespace vrk::client {

// Range information of one attribute, as GetValueRanges gives it.
struct DataRange {
  ULONG Type = 0;
  std::u16string DefaultVal;
  ULONG MinConstraint = 0;
  std::u16string MinVal;
  ULONG MaxConstraint = 0;
  std::u16string MaxVal;
  LONG AddConstraint = 0;
  std::u16string Increment;
  std::u16string Dictionary;
};

// The read-write switches of the interface, each a LONG property read as a flag.
enum class Flag { kIdenticalVibroBands, kImperialSystemMeasurement, kCompatibilityThrsSCADA21 };

class Converter {
 public:
  // A new converter object, made through its class object.
  Converter();
  // Calls on an object the caller already holds.
  explicit Converter(ComPtr<IVRK5420CfgConverter> object) : object_(std::move(object)) {}

  IVRK5420CfgConverter& object() const { return *object_.get(); }

  std::u16string GetXml();
  void PutXml(std::u16string_view xml);
  // BIN get: the binary image.
  std::string GetBin();
  void PutBin(std::string_view image);
  // GetBIN: the binary image and its CRC-32.
  std::pair<std::string, ULONG> GetBinWithCrc();
  void CreateNewCfg();

  DataRange GetValueRanges(std::u16string_view name, const IndexList& indexes);
  std::u16string GetValue(std::u16string_view name, const IndexList& indexes);
  // Writes `value`, or removes the attribute when there is none; returns the value as now stored.
  std::u16string SetValue(std::u16string_view name, const IndexList& indexes,
                          const std::optional<std::u16string>& value);
  // Validates `value` as SetValue would, changing nothing; returns it as it would be stored.
  std::u16string CheckValueRanges(std::u16string_view name, const IndexList& indexes, std::u16string_view value);
  void CreateNode(std::u16string_view name, const IndexList& indexes);
  void DeleteNode(std::u16string_view name, const IndexList& indexes);
  // Returns the offset the element really moved by.
  LONG MoveNode(std::u16string_view name, const IndexList& indexes, LONG offset);
  // The occurrence's XML text; nullopt when it does not exist.
  std::optional<std::u16string> GetNodeText(std::u16string_view name, const IndexList& indexes);
  void SetNodeText(std::u16string_view name, const IndexList& indexes, std::u16string_view text);
  ULONG GetNodesCount(std::u16string_view name, const IndexList& indexes);
  void ArrangeNodeData(std::u16string_view name, const IndexList& indexes);
  void CheckNodeData(std::u16string_view name, const IndexList& indexes);

  void BeginUpdate();
  void EndUpdate();
  // The change counter, and whether the configuration changed since the last load or save point.
  std::pair<ULONG, bool> GetChanged();
  void FlushUndoRedo(ULONG size);
  void SetSavePoint();

  bool GetFlag(Flag flag);
  void PutFlag(Flag flag, bool on);

 private:
  ComPtr<IVRK5420CfgConverter> object_;
};

}  // namespace vrk::client
