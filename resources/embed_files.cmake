# Turns files into a C++ source that holds each one as a byte array, for
# resources.cpp to look up by name. Run in script mode:
#   cmake -DOUTPUT=out.cpp -DBASE=dir -DNAMES=a.html|b.css -P embed_files.cmake
# NAMES are file names relative to BASE, separated by "|"; each becomes the
# resource's name.

string(REPLACE "|" ";" names "${NAMES}")
set(arrays "")
set(entries "")
set(index 0)
string(REPEAT "0x..," 16 sixteen)
foreach(name IN LISTS names)
  file(READ "${BASE}/${name}" hex HEX)
  # Every byte as 0xNN, sixteen to a line; a closing zero byte keeps even an
  # empty file's array valid and is not counted in its size.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(${sixteen})" "\\1\n    " bytes "${bytes}")
  string(APPEND arrays "// ${name}\nconstexpr unsigned char file${index}[] = {\n    ${bytes}0x00};\n\n")
  string(APPEND entries "    {\"${name}\", file${index}, sizeof file${index} - 1},\n")
  math(EXPR index "${index} + 1")
endforeach()

set(text "// Generated at build time from the files in resources/; not to be edited.
#include \"resources/embedded_files.h\"

namespace borvanta::embedded {

namespace {

${arrays}}  // namespace

const EmbeddedFile files[] = {
${entries}};
const std::size_t fileCount = ${index};

}  // namespace borvanta::embedded
")

# Written only when it changed, so that an unchanged page compiles nothing.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
  if(old STREQUAL text)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${text}")
