# Runs ridolt-sim with its standard output on /dev/full and checks that it
# fails with status 1 and says why on standard error.
#   cmake -DSIM=<ridolt-sim> -DARGS=<arguments separated by |> [-DINPUT=<file>]
#         -P ExpectOutputFailure.cmake
string(REPLACE "|" ";" arguments "${ARGS}")
if(NOT INPUT)
    set(INPUT /dev/null)
endif()
execute_process(COMMAND ${SIM} ${arguments}
                INPUT_FILE ${INPUT} OUTPUT_FILE /dev/full
                RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 1)
    message(FATAL_ERROR "exit status ${status}, expected 1\n${err}")
endif()
if(NOT err STREQUAL "ridolt-sim: standard output: cannot be written: No space left on device\n")
    message(FATAL_ERROR "no reason on stderr:\n${err}")
endif()
