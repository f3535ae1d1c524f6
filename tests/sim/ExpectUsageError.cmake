# Runs ridolt-sim with a wrong command line and checks that it ends with
# status 2 and explains itself with a message and the usage text.
#   cmake -DSIM=<ridolt-sim> -DARGS=<arguments separated by |> -P ExpectUsageError.cmake
string(REPLACE "|" ";" arguments "${ARGS}")
execute_process(COMMAND ${SIM} ${arguments}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 2)
    message(FATAL_ERROR "exit status ${status}, expected 2\n${err}")
endif()
if(NOT err MATCHES "^ridolt-sim: [^\n]+\n\nusage: ridolt-sim COMMAND")
    message(FATAL_ERROR "no message and usage on stderr:\n${err}")
endif()
if(NOT out STREQUAL "")
    message(FATAL_ERROR "unexpected output:\n${out}")
endif()
