# The Windows resources of a program: an application manifest, the version information and, with ICON, the
# program's icon (the window programs have theirs from cdr_win32_view).
#
#   cdr_add_windows_program_resources(<target> DESCRIPTION <text> [ICON])
set(cdrProductName "CDR55P4W configuration utility")
set(cdrWindowsResourceTemplates ${CMAKE_CURRENT_LIST_DIR}/windows)

function(cdr_add_windows_program_resources target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "ICON" "DESCRIPTION" "")
  set(cdrProgram ${target})
  set(cdrDescription "${arg_DESCRIPTION}")
  set(cdrIconResource "")
  if(arg_ICON)
    set(cdrIconResource "MAINICON ICON \"${PROJECT_SOURCE_DIR}/packaging/icons/cdr55p4w-config.ico\"")
  endif()

  set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target}-resources)
  set(cdrManifest ${generated}/${target}.manifest)
  configure_file(${cdrWindowsResourceTemplates}/program.manifest.in ${cdrManifest} @ONLY)
  configure_file(${cdrWindowsResourceTemplates}/program_resources.rc.in ${generated}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${generated}/${target}.rc)
  set_source_files_properties(${generated}/${target}.rc PROPERTIES OBJECT_DEPENDS ${cdrManifest})
endfunction()
