# Runs makensis on the installer script with the programs' sizes for Apps & features:
# SIZE_KB_WIN64 and SIZE_KB_WIN32 from the stage's win64/ and win32/ programs, or
# SIZE_KB from EXE for a script that carries one program. DEFINES (a list) adds
# makensis definitions, as the test builds of the installer do.
# The staged files carry SOURCE_DATE_EPOCH as their time, where it is set, and the
# script stores no file times (SetDateSave off), so the installer is the same bytes
# on every build.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    file(GLOB_RECURSE staged LIST_DIRECTORIES true "${STAGE}/*")
    execute_process(COMMAND touch -h -d "@$ENV{SOURCE_DATE_EPOCH}" ${staged}
                    COMMAND_ERROR_IS_FATAL ANY)
endif()
function(size_kb file out)
    file(SIZE "${file}" bytes)
    math(EXPR kb "(${bytes} + 1023) / 1024 + 64")
    set(${out} ${kb} PARENT_SCOPE)
endfunction()
set(sizes)
if(EXE)
    size_kb("${EXE}" kb)
    list(APPEND sizes "-DSIZE_KB=${kb}")
else()
    foreach(kind win64 win32)
        string(TOUPPER ${kind} upper)
        size_kb("${STAGE}/${kind}/rebar-weight.exe" kb)
        list(APPEND sizes "-DSIZE_KB_${upper}=${kb}")
    endforeach()
endif()
set(defines)
foreach(define ${DEFINES})
    list(APPEND defines "-D${define}")
endforeach()
execute_process(
    COMMAND "${MAKENSIS}" -V2 -INPUTCHARSET UTF8 "-DVERSION=${VERSION}" "-DVERSION4=${VERSION4}"
            "-DPUBLISHER=${PUBLISHER}" "-DSTAGE=${STAGE}" "-DICON=${ICON}"
            "-DOUTFILE=${OUTFILE}" ${sizes} ${defines} "${SCRIPT}"
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "makensis failed (${result})")
endif()
