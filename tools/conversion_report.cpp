#include "tools/conversion_report.h"


#include "convert/common_xml.h"
#include "schema/device_v7.h"
#include "schema/value_text.h"

namespace vrk::tools {
namespace {

// The kind a value is counted under in the summary: the element that holds it. An attribute path ends in the
// attribute's name and an element path in a backslash; dropping either leaves the element's path.
std::string KindOf(const ValueDifference& d) {
  std::string_view path(d.path);
  const std::size_t end = path.rfind('\\');
  path = path.substr(0, end == std::string_view::npos ? 0 : end);
  return std::string(path.substr(path.rfind('\\') + 1));
}

bool IsNumber(const std::optional<std::string>& text) { return text && ParseRealText(*text).has_value(); }

// Levels the image stores as codes of the transfer scale: those of absolute level regions, and the start and
// stop speeds of tachometer channels.
bool IsScaledLevel(CNodeTag_VRK_DeviceV7& schema, const CNodeAttrInfoXML* attribute) {
  if (attribute == nullptr) return false;
  const CNodeTagInfoXML* element = attribute->element();
  return CCommonXMLv7(schema).GetLevelRegionKind(*element) == 2 ||
         element == &schema.TachoChannels.TachoChannel.start_stop_region;
}

// Counts by kind, in the order the kinds first occur.
class KindCounts {
 public:
  void Add(const std::string& kind) {
    for (auto& [name, count] : counts_)
      if (name == kind) return void(++count);
    counts_.emplace_back(kind, 1);
  }
  int total() const {
    int sum = 0;
    for (const auto& entry : counts_) sum += entry.second;
    return sum;
  }
  // "Header 4, rel_percent_region 1"
  std::string Text() const {
    std::string text;
    for (const auto& [kind, count] : counts_) text += (text.empty() ? "" : ", ") + kind + " " + std::to_string(count);
    return text;
  }

 private:
  std::vector<std::pair<std::string, int>> counts_;
};

}  // namespace

ConversionReport CompareWithImage(const std::u16string& document, const std::u16string& read_back) {
  const auto schema = NewSchemaV7();
  std::vector<ValueDifference> differences =
      DiffDocumentValues(ListDocumentValues(*schema, dom::Document::parseText(document)),
                         ListDocumentValues(*schema, dom::Document::parseText(read_back)));
  ConversionReport report;
  report.values.reserve(differences.size());
  for (ValueDifference& d : differences) {
    const char* reason = d.added()                                                      ? kAddedOnReading
                         : IsNumber(d.before) && IsNumber(d.after) &&
                                   IsScaledLevel(*schema, d.before_attribute)            ? kQuantised
                                                                                        : kNotCarried;
    report.values.push_back({std::move(d), reason});
  }
  return report;
}

std::string ConversionReport::Summary() const {
  KindCounts lost, quantised;
  for (const ReportedDifference& value : values) {
    if (value.reason == kNotCarried) lost.Add(KindOf(value.difference));
    if (value.reason == kQuantised) quantised.Add(KindOf(value.difference));
  }
  if (lost.total() == 0 && quantised.total() == 0) return "the image carries every value";
  std::string text;
  if (lost.total() != 0)
    text = "the image does not carry " + std::to_string(lost.total()) + (lost.total() == 1 ? " value" : " values") +
           " (" + lost.Text() + ")";
  if (quantised.total() != 0)
    text += (text.empty() ? "the image quantises " : "; it quantises ") + std::to_string(quantised.total()) + " (" +
            quantised.Text() + ")";
  return text;
}

}  // namespace vrk::tools
