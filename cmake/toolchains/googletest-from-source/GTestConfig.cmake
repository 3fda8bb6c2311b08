# GoogleTest built from Debian's sources (package googletest) inside the current build, for targets that have no
# prebuilt GoogleTest, such as the Windows cross build. Provides the targets of GoogleTest's own package.
set(cdrGoogleTestSources /usr/src/googletest)
if(NOT EXISTS ${cdrGoogleTestSources}/CMakeLists.txt)
  set(GTest_FOUND FALSE)
  set(GTest_NOT_FOUND_MESSAGE "GoogleTest sources not found in ${cdrGoogleTestSources} (Debian package googletest)")
  return()
endif()

if(NOT TARGET gtest)
  set(INSTALL_GTEST OFF CACHE BOOL "Install GoogleTest" FORCE)
  add_subdirectory(${cdrGoogleTestSources} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

foreach(cdrGoogleTestTarget IN ITEMS gtest gtest_main gmock gmock_main)
  if(NOT TARGET GTest::${cdrGoogleTestTarget})
    add_library(GTest::${cdrGoogleTestTarget} ALIAS ${cdrGoogleTestTarget})
  endif()
endforeach()
set(GTest_FOUND TRUE)
