# Runs makensis on the installer script with the program's size for Apps & features.
# The staged files carry SOURCE_DATE_EPOCH as their time, where it is set, and the
# script stores no file times (SetDateSave off), so the installer is the same bytes
# on every build.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    file(GLOB staged "${STAGE}/*")
    execute_process(COMMAND touch -h -d "@$ENV{SOURCE_DATE_EPOCH}" ${staged}
                    COMMAND_ERROR_IS_FATAL ANY)
endif()
file(SIZE "${EXE}" exe_bytes)
math(EXPR size_kb "(${exe_bytes} + 1023) / 1024 + 64")
execute_process(
    COMMAND "${MAKENSIS}" -V2 -INPUTCHARSET UTF8 "-DVERSION=${VERSION}" "-DVERSION4=${VERSION4}"
            "-DPUBLISHER=${PUBLISHER}" "-DSTAGE=${STAGE}" "-DICON=${ICON}"
            "-DOUTFILE=${OUTFILE}" "-DSIZE_KB=${size_kb}" "${SCRIPT}"
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "makensis failed (${result})")
endif()
