# Writes OUTPUT, a resource script with the message table of INPUT (resources/message_texts.cpp) as string
# tables: the localized entries in English (1033) and Russian (1049), the others language-neutral.
file(READ "${INPUT}" source)
set(text "(([^\"\\\\]|\\\\.)*)")
string(REGEX MATCHALL "\\{[0-9]+, u8\"${text}\",[ \n]*u8\"${text}\"\\}" localized "${source}")
string(REGEX MATCHALL "\\{[0-9]+, u8\"${text}\"\\}" neutral "${source}")

# A C string literal's body as a resource script string: quotes doubled, other escapes as they are.
function(rc_text out body)
  string(REPLACE "\\\"" "\"\"" body "${body}")
  set(${out} "${body}" PARENT_SCOPE)
endfunction()

set(english "")
set(russian "")
foreach(entry IN LISTS localized)
  string(REGEX MATCH "^\\{([0-9]+), u8\"${text}\",[ \n]*u8\"${text}\"\\}$" _ "${entry}")
  set(number ${CMAKE_MATCH_1})
  rc_text(en "${CMAKE_MATCH_2}")
  rc_text(ru "${CMAKE_MATCH_4}")
  string(APPEND english "  ${number}, \"${en}\"\n")
  string(APPEND russian "  ${number}, \"${ru}\"\n")
endforeach()
set(neutral_lines "")
foreach(entry IN LISTS neutral)
  string(REGEX MATCH "^\\{([0-9]+), u8\"${text}\"\\}$" _ "${entry}")
  rc_text(t "${CMAKE_MATCH_2}")
  string(APPEND neutral_lines "  ${CMAKE_MATCH_1}, \"${t}\"\n")
endforeach()
list(LENGTH localized n_localized)
list(LENGTH neutral n_neutral)
if(n_localized EQUAL 0 OR n_neutral EQUAL 0)
  message(FATAL_ERROR "no message texts found in ${INPUT}")
endif()

file(WRITE "${OUTPUT}" "// Generated from ${INPUT}; do not edit.
#pragma code_page(65001)

LANGUAGE 0x09, 0x01
STRINGTABLE
BEGIN
${english}END

LANGUAGE 0x19, 0x01
STRINGTABLE
BEGIN
${russian}END

LANGUAGE 0x00, 0x00
STRINGTABLE
BEGIN
${neutral_lines}END
")
