# Writes the page's service worker (PAGE_DIR/gorvanti_sw.js) from TEMPLATE: the files it keeps
# (FILES, relative to PAGE_DIR; the page itself as "./") and a version made from their contents,
# so a new build's worker differs from the old one's exactly when a file does.
# cmake -DPAGE_DIR=... -DTEMPLATE=... "-DFILES=a;b" -P stamp_offline.cmake
set(digests "")
set(PAGE_FILES "\"./\"")
foreach(file ${FILES})
  if(NOT EXISTS "${PAGE_DIR}/${file}")
    message(FATAL_ERROR "The page has no ${file} to keep for offline play")
  endif()
  file(SHA256 "${PAGE_DIR}/${file}" digest)
  string(APPEND digests "${file} ${digest}\n")
  if(NOT file STREQUAL "index.html")
    string(APPEND PAGE_FILES ", \"${file}\"")
  endif()
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING "${version}" 0 16 PAGE_VERSION)
configure_file("${TEMPLATE}" "${PAGE_DIR}/gorvanti_sw.js" @ONLY)
