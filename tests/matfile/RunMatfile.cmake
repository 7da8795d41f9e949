# Runs the built matfile program as a user would and compares what it does.
#   -DMATFILE=program [-DEMULATOR=wine] -DARGUMENTS=a|b|c -DEXIT=code
#   [-DSTDOUT_FILE=expected output] [-DSTDOUT_MATCH=regex] [-DSTDERR_MATCH=regex]
#   [-DSTDOUT_BYTES_FILE=expected output, byte for byte -DCAPTURE=file to keep it in]
# Line ends are compared as line feeds: on Windows the program writes text mode.
# Output read into a variable loses its carriage returns, so exact bytes go
# through a file.
string(REPLACE "|" ";" arguments "${ARGUMENTS}")
if(DEFINED STDOUT_BYTES_FILE)
  execute_process(COMMAND ${EMULATOR} ${MATFILE} ${arguments}
                  RESULT_VARIABLE exit_code OUTPUT_FILE "${CAPTURE}" ERROR_VARIABLE err)
  set(out "")
else()
  execute_process(COMMAND ${EMULATOR} ${MATFILE} ${arguments}
                  RESULT_VARIABLE exit_code OUTPUT_VARIABLE out ERROR_VARIABLE err)
endif()
string(REPLACE "\r\n" "\n" out "${out}")
string(REPLACE "\r\n" "\n" err "${err}")

set(problems "")
if(NOT exit_code STREQUAL EXIT)
  string(APPEND problems "exit code ${exit_code}, expected ${EXIT}\n")
endif()
if(DEFINED STDOUT_FILE)
  file(READ "${STDOUT_FILE}" expected)
  if(NOT out STREQUAL expected)
    string(APPEND problems "standard output differs from ${STDOUT_FILE}\n")
  endif()
endif()
if(DEFINED STDOUT_BYTES_FILE)
  file(READ "${CAPTURE}" written HEX)
  file(READ "${STDOUT_BYTES_FILE}" expected HEX)
  if(NOT written STREQUAL expected)
    string(APPEND problems "standard output differs byte for byte from ${STDOUT_BYTES_FILE}\n")
  endif()
endif()
if(DEFINED STDOUT_MATCH AND NOT out MATCHES "${STDOUT_MATCH}")
  string(APPEND problems "standard output does not match '${STDOUT_MATCH}'\n")
endif()
if(DEFINED STDERR_MATCH AND NOT err MATCHES "${STDERR_MATCH}")
  string(APPEND problems "standard error does not match '${STDERR_MATCH}'\n")
endif()
if(problems)
  message(FATAL_ERROR "matfile ${arguments}:\n${problems}--- stdout\n${out}--- stderr\n${err}")
endif()
