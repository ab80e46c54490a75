# Writes the service worker: every file of the site that the page asks for, and a cache name made
# of the version and a digest of all the files, so that any change to the site makes a new cache.
# Left out are the modules of the reader and of the teacher's sheet, which the page fetches only
# when they are first used, and the installed page's large icons, which the page itself never asks
# for: the browser fetches those when it installs the page, online. Each is kept as it arrives
# through the service worker.
#   cmake -DSITE=folder -DVERSION=x.y.z -DTEMPLATE=service-worker.js.in -P service_worker.cmake
file(GLOB names RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM names service-worker.js)
list(SORT names)
set(digests "")
set(site_files "")
foreach(name ${names})
  file(SHA256 ${SITE}/${name} digest)
  string(APPEND digests ${digest})
  if(NOT name MATCHES "^blendora-(reader|sheet)\\.|-512\\.png$")
    list(APPEND site_files "'${name}'")
  endif()
endforeach()
# The page is kept under the address it is opened at, which the browser has just revalidated.
list(TRANSFORM site_files REPLACE "^'index.html'$" "'./'")
list(JOIN site_files ", " site_files)
string(SHA256 digest "${digests}")
string(SUBSTRING ${digest} 0 12 digest)
set(cache_name blendora-${VERSION}-${digest})
configure_file(${TEMPLATE} ${SITE}/service-worker.js @ONLY)
