# Writes a header holding a file's bytes as a constexpr array, so that the
# program carries the file without reading anything at run time.
# Usage: cmake -DINPUT=file -DOUTPUT=header -DNAME=identifier -P EmbedFile.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR byte_count "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)"
       "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}"
     "// Generated from ${INPUT}; do not edit.\n#pragma once\n#include <cstdint>\n\n"
     "inline constexpr std::uint8_t ${NAME}[${byte_count}] = {\n    ${bytes}\n};\n")
