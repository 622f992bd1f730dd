# Runs makensis on the installer script with the program's size for Apps & features.
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
