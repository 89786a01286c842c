// What a configuration's binary image keeps and loses: the document compared with the image read back through
// the converter, so that the report cannot drift from the conversion itself.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tools/difference_report.h"

namespace vrk::tools {

// Reasons of the report.
inline constexpr char kNotCarried[] = "not carried";
inline constexpr char kQuantised[] = "quantised";
inline constexpr char kAddedOnReading[] = "added on reading";

struct ConversionReport {
  // Every value that does not come back as it was, in document order, with its reason.
  std::vector<ReportedDifference> values;

  // "the image does not carry 12 values (rel_percent_region 8, Diagnose 4); it quantises 3 (abs_level_region 3)";
  // "the image carries every value" when nothing is lost.
  std::string Summary() const;
};

// Compares `document` (XML get of the configuration) with `read_back` (XML get after loading its image). A value
// the image brings back as another number is quantised when it is a level the image codes on the transfer scale;
// any other value that does not come back as it was is not carried.
ConversionReport CompareWithImage(const std::u16string& document, const std::u16string& read_back);

}  // namespace vrk::tools
