# Runs ridolt-sim in a way that must fail and checks how it fails:
#   MODE usage        a wrong command line: status 2, a message and the usage
#                     text on stderr, nothing on stdout;
#   MODE full-stdout  standard output on /dev/full: status 1 and the reason
#                     on stderr.
#   cmake -DSIM=<ridolt-sim> -DMODE=<mode> -DARGS=<arguments separated by |>
#         -P ExpectFailure.cmake
string(REPLACE "|" ";" arguments "${ARGS}")
if(MODE STREQUAL "usage")
    set(output OUTPUT_VARIABLE out)
    set(expected_status 2)
    set(expected_err "^ridolt-sim: [^\n]+\n\nusage: ridolt-sim COMMAND")
elseif(MODE STREQUAL "full-stdout")
    set(output OUTPUT_FILE /dev/full)
    set(expected_status 1)
    set(expected_err "^ridolt-sim: standard output: cannot be written: No space left on device\n$")
else()
    message(FATAL_ERROR "unknown MODE \"${MODE}\"")
endif()
execute_process(COMMAND ${SIM} ${arguments} INPUT_FILE /dev/null ${output}
                RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "exit status ${status}, expected ${expected_status}\n${err}")
endif()
if(NOT err MATCHES "${expected_err}")
    message(FATAL_ERROR "not the message expected on stderr:\n${err}")
endif()
if(NOT "${out}" STREQUAL "")
    message(FATAL_ERROR "unexpected output:\n${out}")
endif()
