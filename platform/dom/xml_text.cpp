// Validation of caller texts and names.
#include "platform/dom/xml_text.h"

#include <libxml/chvalid.h>
#include <libxml/tree.h>
#include <libxml/xmlstring.h>

#include <climits>
#include <cstdio>
#include <string>

#include "platform/dom/dom.h"

namespace vrk::dom {

void CheckText(std::string_view text) {
  if (text.size() > INT_MAX) throw Error("text too long");
  const auto* bytes = reinterpret_cast<const xmlChar*>(text.data());
  for (std::size_t pos = 0; pos < text.size();) {
    // Printable ASCII, tab, line feed and carriage return are always allowed; the rest is decoded.
    const unsigned char byte = bytes[pos];
    if (byte < 0x80 && (byte >= 0x20 || byte == '\t' || byte == '\n' || byte == '\r')) {
      ++pos;
      continue;
    }
    int length = static_cast<int>(text.size() - pos);
    const int c = xmlGetUTF8Char(bytes + pos, &length);
    if (c < 0) throw Error("text is not valid UTF-8");
    if (!xmlIsCharQ(c)) {
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
      throw Error(std::string("character ") + code + " is not allowed in an XML document");
    }
    pos += static_cast<std::size_t>(length);
  }
}

namespace {

// A name of ASCII letters, digits, '_', '-' and '.' that starts with a letter or '_': a valid name without a
// prefix, told without a copy or the engine's full check (the names of a schema are all of this kind).
bool IsPlainName(std::string_view name) {
  auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
  if (name.empty() || !letter(name.front())) return false;
  for (char c : name)
    if (!letter(c) && !(c >= '0' && c <= '9') && c != '-' && c != '.') return false;
  return name != "xmlns";
}

}  // namespace

void CheckName(std::string_view name) {
  if (IsPlainName(name)) return;
  CheckText(name);
  const std::string copy(name);
  const auto* qname = reinterpret_cast<const xmlChar*>(copy.c_str());
  if (copy.empty() || xmlValidateQName(qname, 0) != 0) throw Error("invalid XML name '" + copy + "'");
  if (copy == "xmlns" || copy.starts_with("xmlns:"))
    throw Error("'" + copy + "' is a namespace declaration, not an attribute or element name");
}

}  // namespace vrk::dom
