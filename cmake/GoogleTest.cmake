# GoogleTest and GoogleMock: an installed package where there is one for this compiler (Debian's
# libgtest-dev in the native tree; vcpkg or MSYS2 on Windows), otherwise built from source, by
# default the source tree of Debian's package googletest.
set(VELORA_GOOGLETEST_SOURCE "/usr/src/googletest" CACHE PATH
    "GoogleTest source tree, built when no installed package is found")

find_package(GTest CONFIG QUIET)
if(NOT TARGET GTest::gmock_main)
  if(NOT EXISTS "${VELORA_GOOGLETEST_SOURCE}/CMakeLists.txt")
    message(FATAL_ERROR "GoogleTest not found: install its package, or set VELORA_GOOGLETEST_SOURCE "
                        "to a GoogleTest source tree")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # Keeps GoogleTest from rewriting the runtime flags; CMAKE_MSVC_RUNTIME_LIBRARY chooses instead,
  # which needs policy CMP0091 inside its older CMakeLists as well.
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(CMAKE_POLICY_DEFAULT_CMP0091 NEW)
  add_subdirectory("${VELORA_GOOGLETEST_SOURCE}" "${CMAKE_BINARY_DIR}/_deps/googletest" EXCLUDE_FROM_ALL SYSTEM)
endif()
