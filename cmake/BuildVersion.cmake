# Writes OUTPUT, a header with the version of the sources as `git describe` tells it, and
# rewrites it only when that changes (so a build with nothing new recompiles nothing). Without a
# release tag the project's version comes first and the commit after it: "0.1.0 (d8d01fd)".
#   cmake -DSOURCE_DIR=<repo> -DPROJECT_VERSION=<x.y.z> -DOUTPUT=<header> -P BuildVersion.cmake
execute_process(
  COMMAND git describe --tags --always --dirty
  WORKING_DIRECTORY "${SOURCE_DIR}"
  OUTPUT_VARIABLE version
  OUTPUT_STRIP_TRAILING_WHITESPACE
  ERROR_QUIET
  RESULT_VARIABLE failed)
if(failed OR version STREQUAL "")
  set(version "${PROJECT_VERSION}")
elseif(version MATCHES "^[0-9a-f]+(-dirty)?$")  # no tag: only the abbreviated commit
  set(version "${PROJECT_VERSION} (${version})")
endif()
set(content "// Generated at build time from `git describe`; do not edit.\n#pragma once\n\nnamespace orv {\ninline constexpr const char* kBuildVersion = \"${version}\";\n}\n")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
  if(old STREQUAL content)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${content}")
