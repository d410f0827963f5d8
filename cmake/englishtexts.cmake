# Writes the English texts of talvctl and of the string table (the contexts "talvctl" and
# "ResStrings" of the English catalogue) into a C++ source, so that talvctl speaks English without
# Qt's catalogue loader, which the Windows build does not have. The catalogue stays the one place
# of every translation; this runs on the build host with CMake alone, also for a cross build.
#
#   cmake -DCATALOGUE=<TALVConfig_en.ts> -DOUTPUT=<englishtexts.cpp> -P englishtexts.cmake
#
# It takes what lrelease takes into the compiled catalogue: every translation but the vanished,
# obsolete and empty ones (unfinished ones count). What it cannot take over exactly (numerus
# forms, disambiguating comments, <byte> characters, unknown entities) stops the build rather than
# leaving a text German without notice.

cmake_minimum_required(VERSION 3.25)

if(NOT CATALOGUE OR NOT OUTPUT)
  message(FATAL_ERROR "englishtexts.cmake needs -DCATALOGUE=<.ts file> and -DOUTPUT=<.cpp file>")
endif()

set(talv_taken_contexts ResStrings talvctl)

# The texts may hold any character, ';' and '[' included, so they never pass through a CMake list:
# the catalogue is walked with FIND and SUBSTRING, and every text stays one quoted string.

function(talv_fail where what)
  message(FATAL_ERROR "${CATALOGUE}: ${where}: ${what}")
endfunction()

# The first element name in text: sets <prefix>_FOUND, <prefix>_ATTRIBUTES (the opening tag's
# attributes), <prefix>_TEXT (the raw content, entities not yet decoded) and <prefix>_REST (the
# text after the element).
function(talv_element text name prefix)
  set(found FALSE)
  set(attributes "")
  set(content "")
  set(rest "")
  string(REGEX MATCH "<${name}([ \t\r\n/][^>]*)?>" open "${text}")
  if(open)
    set(found TRUE)
    string(FIND "${text}" "${open}" start)
    string(LENGTH "${open}" open_length)
    math(EXPR content_start "${start} + ${open_length}")
    string(SUBSTRING "${text}" ${content_start} -1 after)
    string(REGEX REPLACE "^<${name}(.*)>$" "\\1" attributes "${open}")
    if(attributes MATCHES "/$")
      string(REGEX REPLACE "/$" "" attributes "${attributes}")
      set(rest "${after}")
    else()
      string(FIND "${after}" "</${name}>" end)
      if(end EQUAL -1)
        talv_fail("<${name}>" "the element is not closed")
      endif()
      string(SUBSTRING "${after}" 0 ${end} content)
      string(LENGTH "</${name}>" close_length)
      math(EXPR rest_start "${end} + ${close_length}")
      string(SUBSTRING "${after}" ${rest_start} -1 rest)
    endif()
    string(STRIP "${attributes}" attributes)
  endif()
  set(${prefix}_FOUND ${found} PARENT_SCOPE)
  set(${prefix}_ATTRIBUTES "${attributes}" PARENT_SCOPE)
  set(${prefix}_TEXT "${content}" PARENT_SCOPE)
  set(${prefix}_REST "${rest}" PARENT_SCOPE)
endfunction()

# The character of a numeric entity's code point as octal escapes of its UTF-8 bytes: three
# digits each, so that no digit after it runs into the escape.
function(talv_code_point_literal entity where out)
  if(entity MATCHES "^&#x([0-9a-fA-F]+);$")
    string(REGEX REPLACE "^0+([0-9a-fA-F])" "\\1" digits "${CMAKE_MATCH_1}")
    string(LENGTH "${digits}" length)
    set(digits "0x${digits}")
    set(longest 6)
  elseif(entity MATCHES "^&#([0-9]+);$")
    string(REGEX REPLACE "^0+([0-9])" "\\1" digits "${CMAKE_MATCH_1}")
    string(LENGTH "${digits}" length)
    set(longest 7)
  endif()
  if(length GREATER longest)
    talv_fail("${where}" "${entity} is no character")
  endif()
  math(EXPR code "${digits}")
  if((code LESS 32 AND NOT code EQUAL 9 AND NOT code EQUAL 10 AND NOT code EQUAL 13)
     OR (code GREATER_EQUAL 55296 AND code LESS_EQUAL 57343) OR code GREATER 1114111)
    talv_fail("${where}" "${entity} is no character XML allows")
  endif()
  if(code LESS 128)
    set(bytes ${code})
  elseif(code LESS 2048)
    math(EXPR b1 "192 | (${code} >> 6)")
    math(EXPR b2 "128 | (${code} & 63)")
    set(bytes ${b1} ${b2})
  elseif(code LESS 65536)
    math(EXPR b1 "224 | (${code} >> 12)")
    math(EXPR b2 "128 | ((${code} >> 6) & 63)")
    math(EXPR b3 "128 | (${code} & 63)")
    set(bytes ${b1} ${b2} ${b3})
  else()
    math(EXPR b1 "240 | (${code} >> 18)")
    math(EXPR b2 "128 | ((${code} >> 12) & 63)")
    math(EXPR b3 "128 | ((${code} >> 6) & 63)")
    math(EXPR b4 "128 | (${code} & 63)")
    set(bytes ${b1} ${b2} ${b3} ${b4})
  endif()
  set(literal "")
  foreach(byte IN LISTS bytes)
    math(EXPR d1 "${byte} >> 6")
    math(EXPR d2 "(${byte} >> 3) & 7")
    math(EXPR d3 "${byte} & 7")
    string(APPEND literal "\\${d1}${d2}${d3}")
  endforeach()
  set(${out} "${literal}" PARENT_SCOPE)
endfunction()

# The raw content of a <source> or <translation> as the body of a C++ string literal: entities
# decoded, line ends as XML reads them, and \ " ? and control characters escaped (no trigraph can
# form). Other characters, UTF-8 included, stay as they are.
function(talv_literal raw where out)
  if(raw MATCHES "<")
    talv_fail("${where}" "markup inside a text (<byte>, numerus forms, CDATA) is not supported")
  endif()
  string(REGEX REPLACE "&(amp|lt|gt|quot|apos|#[0-9]+|#x[0-9a-fA-F]+);" "" unknown "${raw}")
  if(unknown MATCHES "&")
    talv_fail("${where}" "an entity other than &amp; &lt; &gt; &quot; &apos; or a numeric one")
  endif()
  string(REPLACE "\r\n" "\n" text "${raw}")
  string(REPLACE "\r" "\n" text "${text}")
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  string(REPLACE "?" "\\?" text "${text}")
  string(REPLACE "\n" "\\n" text "${text}")
  string(REPLACE "\t" "\\t" text "${text}")
  # The decoded characters are escaped already; &amp; comes last, so "&amp;lt;" stays "&lt;".
  while(text MATCHES "&#x?[0-9a-fA-F]+;")
    set(entity "${CMAKE_MATCH_0}")
    talv_code_point_literal("${entity}" "${where}" character)
    string(REPLACE "${entity}" "${character}" text "${text}")
  endwhile()
  string(REPLACE "&lt;" "<" text "${text}")
  string(REPLACE "&gt;" ">" text "${text}")
  string(REPLACE "&quot;" "\\\"" text "${text}")
  string(REPLACE "&apos;" "'" text "${text}")
  string(REPLACE "&amp;" "&" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

file(READ "${CATALOGUE}" catalogue)
set(entries "")
set(taken 0)
set(rest "${catalogue}")
while(TRUE)
  talv_element("${rest}" context context)
  if(NOT context_FOUND)
    break()
  endif()
  set(rest "${context_REST}")
  talv_element("${context_TEXT}" name name)
  string(STRIP "${name_TEXT}" context_name)
  if(NOT context_name IN_LIST talv_taken_contexts)
    continue()
  endif()

  set(messages "${context_TEXT}")
  while(TRUE)
    talv_element("${messages}" message message)
    if(NOT message_FOUND)
      break()
    endif()
    set(messages "${message_REST}")
    talv_element("${message_TEXT}" source source)
    set(where "context ${context_name}, message \"${source_TEXT}\"")
    if(NOT source_FOUND)
      talv_fail("context ${context_name}" "a message without <source>")
    endif()
    if(NOT message_ATTRIBUTES STREQUAL "")
      talv_fail("${where}" "message attributes (numerus forms, ids) are not supported")
    endif()
    talv_element("${message_TEXT}" comment comment)
    if(comment_FOUND)
      talv_fail("${where}" "a disambiguating <comment> is not supported")
    endif()
    talv_element("${message_TEXT}" translation translation)
    if(NOT translation_FOUND)
      talv_fail("${where}" "a message without <translation>")
    endif()
    if(translation_ATTRIBUTES MATCHES "variants")
      talv_fail("${where}" "length variants are not supported")
    endif()
    if(translation_ATTRIBUTES MATCHES "type=[\"'](vanished|obsolete)[\"']"
       OR translation_TEXT STREQUAL "")
      continue()
    endif()

    talv_literal("${source_TEXT}" "${where}" source_literal)
    string(MD5 key "${context_name}\n${source_literal}")
    if(DEFINED talv_seen_${key})
      talv_fail("${where}" "the message is there twice")
    endif()
    set(talv_seen_${key} TRUE)
    talv_literal("${translation_TEXT}" "${where}" translation_literal)
    string(APPEND entries "    {\"${context_name}\",\n"
                          "     \"${source_literal}\",\n"
                          "     \"${translation_literal}\"},\n")
    math(EXPR taken "${taken} + 1")
  endwhile()
endwhile()

if(taken EQUAL 0)
  message(FATAL_ERROR "${CATALOGUE}: no translated message in the contexts ${talv_taken_contexts}")
endif()

cmake_path(GET CATALOGUE FILENAME catalogue_name)
file(WRITE "${OUTPUT}" "// Generated from ${catalogue_name} by englishtexts.cmake when the program is built.
#include \"platform/englishtexts.h\"

namespace {

const TCatalogueText Texts[] = {
${entries}};

}  // namespace

std::span<const TCatalogueText> EnglishTexts()
{
    return Texts;
}
")
