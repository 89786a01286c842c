// The raw message table, sorted by number. Looked up through interface/message_table.h only.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vrk {

struct MessageText {
  uint16_t number;
  const char8_t* english;
  const char8_t* russian;
};

struct NeutralMessageText {
  uint16_t number;
  const char8_t* text;
};

extern const MessageText kLocalizedMessages[];
extern const std::size_t kLocalizedMessageCount;
extern const NeutralMessageText kNeutralMessages[];
extern const std::size_t kNeutralMessageCount;

}  // namespace vrk
