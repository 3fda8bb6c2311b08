# Writes OUTPUT, the build stamp header, from VERSION, the commit of SOURCE_DIR and today's date in UTC (or the
# date of SOURCE_DATE_EPOCH, for reproducible builds). The file is left alone when its contents stay the same.
find_package(Git QUIET)
set(commit unknown)
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} -C ${SOURCE_DIR} rev-parse --short=12 HEAD
                  OUTPUT_VARIABLE gitCommit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE gitStatus)
  if(gitStatus EQUAL 0 AND gitCommit)
    set(commit ${gitCommit})
  endif()
endif()
string(TIMESTAMP day "%Y-%m-%d" UTC)
file(CONFIGURE OUTPUT ${OUTPUT} CONTENT "#pragma once

namespace cdr::build {
inline constexpr const char* kVersion = \"${VERSION}\";
inline constexpr const char* kCommit = \"${commit}\";
inline constexpr const char* kDate = \"${day}\";
}  // namespace cdr::build
")
