# Writes the service worker for the site's files, its cache named after the build:
# a digest of the files' names and contents and of the worker's own source, so that a
# fix of any of them makes a new worker with a cache of its own.
#   cmake -DTEMPLATE=<sw.js.in> -DOUTPUT=<sw.js> -DSITE=<dir> -DFILES=<name;name;...> -P service_worker.cmake
set(digests "")
set(REBAR_SITE_FILES "\"./\"")
foreach(name IN LISTS FILES)
    file(SHA256 "${SITE}/${name}" digest)
    string(APPEND digests "${name} ${digest}\n")
    string(APPEND REBAR_SITE_FILES ", \"${name}\"")
endforeach()
file(SHA256 "${TEMPLATE}" digest)
string(APPEND digests "sw.js ${digest}\n")
string(SHA256 version "${digests}")
string(SUBSTRING "${version}" 0 16 REBAR_SITE_VERSION)
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
