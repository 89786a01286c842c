// Fuzz target: arbitrary bytes as a registry file. The parser must refuse them with a reason or give a tree whose
// text form reads back to the same tree and the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/registry_tree.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace vrk::registry;
  ParseProblem problem;
  const auto tree = ParseRegistry(std::string_view(reinterpret_cast<const char*>(data), size), &problem);
  if (!tree) {
    if (problem.reason.empty()) std::abort();
    return 0;
  }
  const std::string text = FormatRegistry(*tree);
  const auto again = ParseRegistry(text, &problem);
  if (!again || !(*again == *tree) || FormatRegistry(*again) != text) std::abort();
  return 0;
}
