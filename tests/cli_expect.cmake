# Runs one of the command-line tools (under the emulator for the Windows build) and compares its
# standard output, standard error and exit status with what the caller expects, from the
# caller's variables: EMULATOR, ARGS, OUT (the whole standard output), EXIT, STDERR_MUST
# (text the one line of standard error must hold; empty: the tool must not complain), and
# INPUT (a file for standard input; empty: none).
function(korvani_expect_run name program workdir)
    set(input "")
    if(INPUT)
        set(input INPUT_FILE "${INPUT}")
    endif()
    execute_process(COMMAND ${EMULATOR} ${program} ${ARGS}
                    WORKING_DIRECTORY "${workdir}" ${input}
                    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
    # Windows writes its standard output in text mode.
    string(REPLACE "\r\n" "\n" out "${out}")

    set(problems "")
    if(NOT rc EQUAL EXIT)
        string(APPEND problems "exit status ${rc}, expected ${EXIT}\n")
    endif()
    if(NOT out STREQUAL OUT)
        string(APPEND problems "standard output:\n${out}\nexpected:\n${OUT}\n")
    endif()
    if(STDERR_MUST STREQUAL "")
        if(err MATCHES "${name}")
            string(APPEND problems "unexpected standard error: ${err}\n")
        endif()
    else()
        string(FIND "${err}" "${STDERR_MUST}" at)
        if(at EQUAL -1)
            string(APPEND problems "standard error lacks '${STDERR_MUST}': ${err}\n")
        endif()
        string(REGEX MATCHALL "\n" newlines "${err}")
        list(LENGTH newlines lines)
        if(NOT lines EQUAL 1)
            string(APPEND problems "standard error should be one line: ${err}\n")
        endif()
    endif()
    if(NOT problems STREQUAL "")
        message(FATAL_ERROR "${name} ${ARGS}:\n${problems}")
    endif()
endfunction()
