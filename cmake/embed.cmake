# Writes OUTPUT, a C++ source defining vrk::SYMBOL() that returns the bytes of INPUT.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}; do not edit.\n#include <string_view>\n\nnamespace vrk {\nnamespace {\nconst unsigned char kBytes[] = {\n${bytes}};\n}  // namespace\n\nstd::string_view ${SYMBOL}() {\n  return std::string_view(reinterpret_cast<const char*>(kBytes), ${size});\n}\n\n}  // namespace vrk\n")
