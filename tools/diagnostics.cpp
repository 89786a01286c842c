#include "tools/diagnostics.h"

#include <iostream>

#include "platform/json_text.h"

namespace vrk::tools {
namespace {

// `text` on one line: line feeds become blanks, blanks at either end go.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

void PrintFailure(const std::string& subject, const std::string& description, bool json) {
  const std::size_t line_feed = description.find('\n');
  const std::string message = description.substr(0, line_feed);
  std::string detail = line_feed == std::string::npos ? std::string() : description.substr(line_feed + 1);
  if (json) {
    std::cout << "{\"file\":" << JsonString(subject) << ",\"error\":{\"message\":" << JsonString(OneLine(message))
              << ",\"detail\":" << JsonString(detail) << "}}\n";
    std::cout.flush();
    return;
  }
  // The component ends a schema failure with the descriptor's path, on a line of its own.
  std::string path;
  const std::size_t last_line = detail.rfind('\n');
  const std::size_t path_start = last_line == std::string::npos ? 0 : last_line + 1;
  if (detail.compare(path_start, 1, "\\") == 0) {
    path = OneLine(detail.substr(path_start));
    detail.erase(last_line == std::string::npos ? 0 : last_line);
  }
  std::cerr << subject << ": " << (path.empty() ? "" : path + ": ") << OneLine(message);
  if (const std::string rest = OneLine(detail); !rest.empty()) std::cerr << ": " << rest;
  std::cerr << "\n";
}

}  // namespace vrk::tools
