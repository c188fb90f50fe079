# Writes the service worker OUT from IN, its cache named for this build: the version and
# the start of a SHA-256 over the page's files (FILES, in the working directory), so that
# any change to any of them names a new cache.
# Usage: cmake -DVERSION=V -DIN=offline.js -DOUT=offline.js -DFILES=a;b;... -P Offline.cmake
set(digests "")
foreach(file IN LISTS FILES)
  file(SHA256 ${file} digest)
  string(APPEND digests "${digest}  ${file}\n")
endforeach()
string(SHA256 build "${digests}")
string(SUBSTRING ${build} 0 16 build)
set(WENDRIX_BUILD "${VERSION}-${build}")
list(JOIN FILES "', '" WENDRIX_FILES)
set(WENDRIX_FILES "'${WENDRIX_FILES}'")
configure_file(${IN} ${OUT} @ONLY)
