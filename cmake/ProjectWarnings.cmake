# Every target of the project calls cdr_set_warnings() so that the whole tree builds with the same warnings.
function(cdr_set_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${CDR_WARNINGS_AS_ERRORS}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
                           $<$<BOOL:${CDR_WARNINGS_AS_ERRORS}>:-Werror>)
    # GCC 12 at -O3 reports overlapping copies inside libstdc++'s own string appends (GCC bug 105651), wherever
    # a short string is built by appending: kept as a warning, not an error.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
       AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE $<$<BOOL:${CDR_WARNINGS_AS_ERRORS}>:-Wno-error=restrict>)
    endif()
  endif()
endfunction()
