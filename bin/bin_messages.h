// Numbers of the message-table entries that the binary layer raises.
#pragma once

#include <cstdint>

namespace vrk::bin {

inline constexpr uint32_t kMsgTagDataUnreadable = 101;         // "Data of tag "%s" cannot be read"
inline constexpr uint32_t kMsgTagDataUnwritable = 102;         // "Data of tag "%s" cannot be written completely"
inline constexpr uint32_t kMsgHeaderUnreadable = 108;          // "Tag header cannot be read "
inline constexpr uint32_t kMsgNoMandatoryTag = 109;            // "No mandatory tag: "%s""
inline constexpr uint32_t kMsgMandatoryTagNotSpecified = 112;  // "The mandatory tag "%s" is not specified"
inline constexpr uint32_t kMsgTagSizeIncorrect = 115;          // "The size of the tag "%s" is specified incorrectly"
inline constexpr uint32_t kMsgTagTooLarge = 116;               // "Header of the tag "%s" must have greater data size"
inline constexpr uint32_t kMsgHeaderUnwritable = 117;          // "Header of the tag "%s" cannot be written completely"
inline constexpr uint32_t kMsgCrcError = 118;                  // "CRC error in the BIN-file"
inline constexpr uint32_t kMsgVersionNotSupported = 159;       // "File version is not supported"

}  // namespace vrk::bin
