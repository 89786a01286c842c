// Argument handling and file reading of `vrkcfg inspect`; the inspection itself is bin/image_dump.
#include "tools/inspect_command.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>

#include "bin/image_dump.h"

namespace vrk::tools {
namespace {

constexpr const char* kUsage = "usage: vrkcfg inspect FILE.bin|- [--json]\n";

std::vector<uint8_t> ReadAll(std::istream& stream) {
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

}  // namespace

int InspectCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  std::optional<std::string> file;
  bool json = false;
  for (const std::string& arg : args) {
    if (arg == "--json") {
      json = true;
    } else if ((arg.size() > 1 && arg[0] == '-') || file) {
      err << kUsage;
      return 2;
    } else {
      file = arg;
    }
  }
  if (!file) {
    err << kUsage;
    return 2;
  }

  std::vector<uint8_t> image;
  std::string name = *file;
  if (*file == "-") {
    name = "<stdin>";
    image = ReadAll(in);
  } else {
    std::ifstream stream(*file, std::ios::binary);
    if (!stream) {
      err << name << ": cannot open: " << std::strerror(errno) << '\n';
      return 1;
    }
    try {
      image = ReadAll(stream);
    } catch (const std::ios_base::failure&) {  // a directory, for one, opens but cannot be read
      stream.setstate(std::ios::badbit);
    }
    if (stream.bad()) {
      err << name << ": cannot read: " << std::strerror(errno) << '\n';
      return 1;
    }
  }
  return bin::InspectImageCommand(name, image, json, out, err);
}

}  // namespace vrk::tools
