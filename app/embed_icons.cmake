# Writes a C++ source that holds the application icon's PNG images, so the
# window shows its icon without any file installed. Run as a script:
#   cmake -DOUTPUT=<file.cpp> -DICON_DIR=<dir> -DSIZES=16,32,48,128 -P embed_icons.cmake

string(REPLACE "," ";" SIZES "${SIZES}")

set(source "// Generated from app/icons by app/embed_icons.cmake. Do not edit.\n")
string(APPEND source "#include \"app/app_icon.h\"\n\nnamespace borvanta::gtk {\n\nnamespace {\n\n")
set(table "")
foreach(size IN LISTS SIZES)
  file(READ "${ICON_DIR}/borvanta-${size}.png" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR length "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
  string(APPEND source "constexpr unsigned char png${size}[] = {\n    ${bytes}};\n\n")
  string(APPEND table "    {${size}, {png${size}, ${length}}},\n")
endforeach()
string(APPEND source "}  // namespace\n\n")
string(APPEND source "const std::vector<IconImage>& appIconImages() {\n")
string(APPEND source "  static const std::vector<IconImage> images{\n${table}  };\n  return images;\n}\n\n")
string(APPEND source "}  // namespace borvanta::gtk\n")
file(WRITE "${OUTPUT}" "${source}")
