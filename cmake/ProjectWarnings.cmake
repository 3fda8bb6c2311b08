# Every target of the project calls cdr_set_warnings() so that the whole tree builds with the same warnings.
function(cdr_set_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${CDR_WARNINGS_AS_ERRORS}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
                           $<$<BOOL:${CDR_WARNINGS_AS_ERRORS}>:-Werror>)
  endif()
endfunction()
