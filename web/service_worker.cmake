# Writes the service worker for the site's files, its cache named after the build:
# a digest of the files' names and contents, so that a fix makes a new worker.
#   cmake -DTEMPLATE=<sw.js.in> -DOUTPUT=<sw.js> -DSITE=<dir> -DFILES=<name;name;...> -P service_worker.cmake
set(digests "")
set(REBAR_SITE_FILES "\"./\"")
foreach(name IN LISTS FILES)
    file(SHA256 "${SITE}/${name}" digest)
    string(APPEND digests "${name} ${digest}\n")
    string(APPEND REBAR_SITE_FILES ", \"${name}\"")
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING "${version}" 0 16 REBAR_SITE_VERSION)
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
