# CPack's post-build step for the Debian package (CPACK_POST_BUILD_SCRIPTS): the ar
# members get fixed modes, whatever the builder's umask.
foreach(package ${CPACK_PACKAGE_FILES})
    execute_process(COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/deb_member_modes.py
                            ${package} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
