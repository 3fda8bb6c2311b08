# Optimised Linux builds carry the usual hardening, which Debian's package checks look for: fortified C library
# calls (which need optimisation, hence not in Debug builds), stack protection, and full RELRO with immediate
# binding.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-fstack-protector-strong
                      $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-D_FORTIFY_SOURCE=2>)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
