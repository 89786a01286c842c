// Fuzz target: arbitrary bytes go through the version probe and the tag tree of the version it finds. Any
// outcome but a CConvException or a clean read is a finding; and a tree that reads must write, read back and
// write again to the very same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bin/bin_image.h"
#include "bin/version_probe.h"
#include "interface/conv_exception.h"

namespace {

std::unique_ptr<vrk::bin::CNodeTagBIN> ReadAny(const uint8_t* data, std::size_t size) {
  using namespace vrk::bin;
  auto root = MakeTree(SelectTreeVersion(ProbeImageVersion(data, size)));
  ReadImage(*root, data, size);
  return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::unique_ptr<vrk::bin::CNodeTagBIN> root;
  std::vector<uint8_t> first;
  try {
    root = ReadAny(data, size);
    first = vrk::bin::WriteImage(*root);  // fails only for a tree without its mandatory tags
  } catch (const CConvException&) {
    return 0;
  }
  try {
    const auto again = ReadAny(first.data(), first.size());
    if (vrk::bin::WriteImage(*again) != first) std::abort();
  } catch (const CConvException&) {
    std::abort();  // the component could not read back what it wrote
  }
  return 0;
}
