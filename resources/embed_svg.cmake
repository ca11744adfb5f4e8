# Writes OUTPUT, a C++ file holding the text of each SVG file of INPUTS by its
# name without the extension, so that the program carries its pictures in
# itself wherever it is installed. Run by the build with cmake -P.
set(text "// Made by the build from resources/toolbar/*.svg: edit those files.\n")
string(APPEND text "#include \"resources/toolbar_svg.h\"\n\n#include <utility>\n\n")
string(APPEND text "namespace orvanel {\n\nstd::string_view ToolbarSvg(std::string_view icon) {\n")
string(APPEND text "    static constexpr std::pair<std::string_view, std::string_view> kFiles[] = {\n")
foreach(input IN LISTS INPUTS)
  get_filename_component(name "${input}" NAME_WE)
  file(READ "${input}" svg)
  string(APPEND text "        {\"${name}\", R\"svg(${svg})svg\"},\n")
endforeach()
string(APPEND text "    };\n    for (const auto& [name, svg] : kFiles) {\n")
string(APPEND text "        if (name == icon) return svg;\n    }\n    return {};\n}\n\n")
string(APPEND text "}  // namespace orvanel\n")
file(WRITE "${OUTPUT}.new" "${text}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
