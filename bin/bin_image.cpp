// Whole-image reading and writing.
#include "bin/bin_image.h"

#include <limits>

#include "interface/message_ids.h"

namespace vrk::bin {

void ReadImage(CNodeTagBIN& root, const uint8_t* data, std::size_t size) {
  TagCursor cursor = ImageCursor(data, size);
  ReadTag(root, cursor);
}

std::vector<uint8_t> WriteImage(CNodeTagBIN& root) {
  if (!root.IsPresent() && root.IsMandatory()) ThrowTagError(kMsgMandatoryTagNotSpecified, root);
  const uint64_t size = root.GetSize();
  if (size > std::numeric_limits<uint32_t>::max()) ThrowTagError(kMsgHeaderUnwritable, root);
  std::vector<uint8_t> image(size);
  TagWriteCursor cursor = ImageCursor(image.data(), image.size());
  WriteTag(root, cursor);
  return image;
}

}  // namespace vrk::bin
