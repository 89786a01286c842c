// Helpers of the DOM tests: windows-1251 texts written readably, and capture of stderr.
#pragma once

#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/dom/dom.h"

namespace vrk::dom::testing {

// ASCII and Russian letters of a UTF-16 text, as windows-1251 bytes.
inline std::string Cp1251(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) {
    if (c < 0x80) out += static_cast<char>(c);
    else if (c >= u'А' && c <= u'я') out += static_cast<char>(0xC0 + (c - u'А'));
    else if (c == u'Ё') out += '\xA8';
    else if (c == u'ё') out += '\xB8';
    else out += '?';
  }
  return out;
}

// Runs `action` with stderr redirected and returns what was written there.
template <typename Action>
std::string CaptureStderr(Action action) {
  std::fflush(stderr);
  FILE* sink = std::tmpfile();
  const int saved = dup(2);
  dup2(fileno(sink), 2);
  action();
  std::fflush(stderr);
  dup2(saved, 2);
  close(saved);
  std::string captured;
  std::rewind(sink);
  for (int c; (c = std::fgetc(sink)) != EOF;) captured += static_cast<char>(c);
  std::fclose(sink);
  return captured;
}

// The ParseError that `parse` throws; fails the test when it throws none.
template <typename Parse>
ParseError ParseFailure(Parse parse) {
  try {
    parse();
  } catch (const ParseError& e) {
    return e;
  }
  ADD_FAILURE() << "no ParseError";
  return ParseError("", 0, 0);
}

}  // namespace vrk::dom::testing
