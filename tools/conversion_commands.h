// The commands that write a whole configuration or check one: new, check, bin, xml.
#pragma once

#include <string>
#include <vector>

#include "tools/command_args.h"

namespace vrk::tools {

// `new [-o OUT]`: the default configuration.
int NewCommand(const std::vector<std::string>& words, const Options& options);

// `check FILE`: loads the document or image, which checks every value and rule; prints OK (--json:
// {"file":..,"ok":true}). A configuration that fails is a CallError.
int CheckCommand(const std::vector<std::string>& words, const Options& options);

// `bin FILE [-o OUT] [--report]`: the binary image. The image goes to OUT or standard output; the CRC, the summary
// of what the image does not carry and the --report go to standard output when the image goes to a file, else
// to standard error. An image that does not load again is written, then reported as a CallError.
int BinCommand(const std::vector<std::string>& words, const Options& options);

// `xml FILE [-o OUT]`: the version-7 document a configuration (image or document) holds; standard error names
// the version an older image was upgraded from. A document that fails the check is written, then reported.
int XmlCommand(const std::vector<std::string>& words, const Options& options);

}  // namespace vrk::tools
