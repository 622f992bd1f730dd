# CPack's pre-build step for the Debian package (CPACK_PRE_BUILD_SCRIPTS), run on the
# staged files before they are packed: folders 0755, programs 0755, other files 0644,
# whatever the builder's umask gave the folders CPack made itself.
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(path ${staged})
    if(IS_SYMLINK "${path}")
        continue()
    endif()
    if(IS_DIRECTORY "${path}")
        file(CHMOD "${path}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                   GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    else()
        execute_process(COMMAND test -x "${path}" RESULT_VARIABLE not_executable)
        if(not_executable)
            file(CHMOD "${path}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
        else()
            file(CHMOD "${path}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                       GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
        endif()
    endif()
endforeach()
