// Inspection of an image for people and programs: probes its version, reads the tree of that version (the CRC
// check included), and prints the tree that was read, as text or as JSON, with the first error if there is one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bin/node_tag_bin.h"
#include "interface/conv_exception.h"

namespace vrk::bin {

struct ImageReport {
  std::size_t image_size = 0;
  std::optional<uint32_t> version_word;  // none when the root header itself is broken
  std::unique_ptr<CNodeTagBIN> root;     // the tree as far as it was read; null when no tree was chosen
  std::optional<uint32_t> stored_crc;    // from "CFGH", when it was read
  std::optional<CConvException> error;   // the first error; none when the image read and its CRC checked
  bool crc_mismatch = false;             // the error is the CRC check
};

// Never throws CConvException: every error of the image ends up in the report. An empty image is reported as a
// missing root tag (kMsgNoMandatoryTag).
ImageReport InspectImage(const uint8_t* data, std::size_t size);

// The report as indented text: one line per present tag with its sizes and record count, one line per record.
void PrintReportText(const ImageReport& report, std::ostream& out);
// The same as one JSON object: size, version, tree, crc, root (tag, content, data, skipped, records as hex
// strings, children), error (null or {message, detail}).
void PrintReportJson(const ImageReport& report, std::ostream& out);

// "message", or "message: detail" when there is a detail.
std::string ErrorText(const CConvException& error);

// The whole of `vrkcfg inspect` once the image is loaded: prints the report on `out` (JSON when `json`), and for
// an image error the line "NAME: message" on `err`. Returns 0 when the image read and its CRC checked, else 1.
int InspectImageCommand(const std::string& name, const std::vector<uint8_t>& image, bool json, std::ostream& out,
                        std::ostream& err);

}  // namespace vrk::bin
