# Writes a C++ source that holds the bytes of each file, found by the file's
# name: cmake -DOUTPUT=out.cpp -DFILES="a.svg|b.svg" -P embed_files.cmake
string(REPLACE "|" ";" files "${FILES}")
set(arrays "")
set(table "")
set(index 0)
foreach(file IN LISTS files)
  get_filename_component(name "${file}" NAME)
  file(READ "${file}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND arrays "constexpr unsigned char kFile${index}[] = {${bytes}};\n")
  string(APPEND table "    {\"${name}\", kFile${index}},\n")
  math(EXPR index "${index} + 1")
endforeach()
set(source "// Made by resources/embed_files.cmake from resources/art.
#include \"resources/embedded_art.h\"

#include <utility>

namespace orvanel {

namespace {

${arrays}
const std::pair<std::string_view, std::span<const unsigned char>> kFiles[] = {
${table}};

}  // namespace

std::span<const unsigned char> EmbeddedArt(std::string_view fileName) {
    for (const auto& [name, bytes] : kFiles) {
        if (name == fileName) return bytes;
    }
    return {};
}

}  // namespace orvanel
")
file(WRITE "${OUTPUT}.new" "${source}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
