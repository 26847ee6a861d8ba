# Writes OUT, a C++ file holding the files of the page (PAGE_DIR/FILES, a
# semicolon-separated list) as byte arrays, with zunaiEditFindAsset over them.
set(body "// Generated from tools/edit/page by embedPage.cmake; do not edit.\n#include \"zunaiEditPage.h\"\n\nnamespace {\n")
set(table "")
set(index 0)
foreach(name IN LISTS FILES)
  file(READ "${PAGE_DIR}/${name}" hex HEX)
  string(LENGTH "${hex}" hexLength)
  math(EXPR size "${hexLength} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(APPEND body "const unsigned char asset${index}[] = {\n${bytes}0x00};\n")
  if(name MATCHES "\\.html$")
    set(type "text/html; charset=utf-8")
  elseif(name MATCHES "\\.js$")
    # Not text/javascript: httplib compresses every text/* answer, and its
    # brotli took seconds for the 3D view's library; locally there is
    # nothing to gain. Browsers take both names for JavaScript.
    set(type "application/javascript; charset=utf-8")
  elseif(name MATCHES "\\.css$")
    set(type "text/css; charset=utf-8")
  else()
    set(type "application/octet-stream")
  endif()
  set(url "/${name}")
  if(name STREQUAL "index.html")
    set(url "/")
  endif()
  string(APPEND table "    {\"${url}\", \"${type}\", asset${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()
string(APPEND body "const zunaiEditAsset assets[] = {\n${table}};\n} // namespace\n\n"
  "const zunaiEditAsset* zunaiEditFindAsset(const std::string& path)\n{\n"
  "    for (const auto& asset : assets)\n"
  "        if (path == asset.path || (path == \"/index.html\" && std::string(asset.path) == \"/\"))\n"
  "            return &asset;\n"
  "    return nullptr;\n}\n")
file(WRITE "${OUT}.new" "${body}")
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.new")
