# Writes OUTPUT, a header with the version of the sources as `git describe` tells it, and
# rewrites it only when that changes (so a build with nothing new recompiles nothing).
#   cmake -DSOURCE_DIR=<repo> -DOUTPUT=<header> -P BuildVersion.cmake
execute_process(
  COMMAND git describe --tags --always --dirty
  WORKING_DIRECTORY "${SOURCE_DIR}"
  OUTPUT_VARIABLE version
  OUTPUT_STRIP_TRAILING_WHITESPACE
  ERROR_QUIET
  RESULT_VARIABLE failed)
if(failed OR version STREQUAL "")
  set(version "unknown")
endif()
set(content "// Generated at build time from `git describe`; do not edit.\n#pragma once\n\nnamespace orv {\ninline constexpr const char* kBuildVersion = \"${version}\";\n}\n")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
  if(old STREQUAL content)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${content}")
