# Included by the Windows build only (ui/ for the program, bench/ for its floor).
# rebar_load_dlls_from_system32(<target>) makes a program load code from System32
# only, never from the folder it was started from (Downloads, a USB stick, a chat
# app's folder), where anyone can leave a DLL of a name Windows looks for there first.
#   - Its static imports are Windows' KnownDLLs (which always come from System32) and
#     API sets only: test_pe.sh holds the same list.
#   - Every other DLL it imports is delay-loaded through import libraries made here
#     with dlltool from the toolchain's own, put ahead of them on the link line.
#   - system32_only.cpp runs SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)
#     before any other code of the program, so the delay-loaded DLLs and whatever Qt
#     or Windows loads by name later come from System32 too.
#   - The PE's load configuration carries DependentLoadFlags = LOAD_LIBRARY_SEARCH_SYSTEM32,
#     which Windows 10 1607 and later apply to the static imports' own dependencies;
#     set_load_config.py points the load-config directory at it after the link.
# dlltool's delay libraries leave the PE's delay-import directory empty, so the list
# below is the only record of what is delay-loaded.
include_guard(GLOBAL)
set(REBAR_DELAY_LOADED_DLLS
    AUTHZ NETAPI32 USERENV UxTheme VERSION WINMM WTSAPI32 d3d11 d3d9 dwmapi dxgi
    CACHE INTERNAL "DLLs the Windows program delay-loads from System32")

get_filename_component(toolchain_bin "${CMAKE_CXX_COMPILER}" DIRECTORY)
find_program(REBAR_DLLTOOL NAMES x86_64-w64-mingw32-dlltool HINTS "${toolchain_bin}" REQUIRED)
find_program(REBAR_NM NAMES x86_64-w64-mingw32-nm HINTS "${toolchain_bin}" REQUIRED)
find_program(REBAR_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)

set(delay_dir ${PROJECT_BINARY_DIR}/delay-import)
file(MAKE_DIRECTORY ${delay_dir})
foreach(dll ${REBAR_DELAY_LOADED_DLLS})
    string(TOLOWER "${dll}" lib)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=lib${lib}.a
                    OUTPUT_VARIABLE import_lib OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${import_lib}")
        message(FATAL_ERROR "No import library lib${lib}.a in the toolchain")
    endif()
    # The exports are the __imp_ symbols the toolchain's import library defines.
    execute_process(COMMAND ${REBAR_NM} --defined-only ${import_lib}
                    OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "__imp_[A-Za-z0-9_@?$]+" exports "${symbols}")
    list(TRANSFORM exports REPLACE "^__imp_" "")
    list(REMOVE_DUPLICATES exports)
    list(SORT exports)
    list(JOIN exports "\n" exports)
    file(WRITE ${delay_dir}/${lib}.def "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
    execute_process(COMMAND ${REBAR_DLLTOOL} --input-def ${delay_dir}/${lib}.def
                            --dllname ${dll}.dll --output-delaylib ${delay_dir}/lib${lib}.a
                    WORKING_DIRECTORY ${delay_dir} COMMAND_ERROR_IS_FATAL ANY)
endforeach()

set(REBAR_DELAY_IMPORT_DIR ${delay_dir} CACHE INTERNAL "The delay-import libraries")
set(REBAR_SYSTEM32_ONLY_DIR ${CMAKE_CURRENT_LIST_DIR} CACHE INTERNAL "This piece's folder")

function(rebar_load_dlls_from_system32 target)
    # -L comes before the -l list Qt's targets pass, so these libraries win over the
    # toolchain's import libraries of the same names.
    target_link_directories(${target} BEFORE PRIVATE ${REBAR_DELAY_IMPORT_DIR})
    target_sources(${target} PRIVATE ${REBAR_SYSTEM32_ONLY_DIR}/system32_only.cpp)
    target_link_options(${target} PRIVATE -Wl,--require-defined=_load_config_used)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${REBAR_SYSTEM_PYTHON} ${REBAR_SYSTEM32_ONLY_DIR}/set_load_config.py
                $<TARGET_FILE:${target}> ${REBAR_NM}
        COMMENT "Pointing the load-config directory of ${target} at _load_config_used"
        VERBATIM)
endfunction()
