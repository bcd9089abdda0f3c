# Flags per compiler, so the same CMake files serve GCC and Clang (both trees here) and MSVC.
#   VELORA_WARNINGS             warnings as errors, for the project's own targets
#   VELORA_THIRD_PARTY_OPTIONS  for vendored C code (sqlite3): quiet and always optimised
# ccache, when installed: a rebuilt tree or a second clone compiles only what changed (the
# Makefile makes its keys independent of the clone's folder).
find_program(VELORA_CCACHE ccache)
if(VELORA_CCACHE)
  set(CMAKE_C_COMPILER_LAUNCHER "${VELORA_CCACHE}")
  set(CMAKE_CXX_COMPILER_LAUNCHER "${VELORA_CCACHE}")
endif()

option(VELORA_SANITIZE "AddressSanitizer and UndefinedBehaviorSanitizer in the native tree" ON)
option(VELORA_FUZZ "libFuzzer programs over the parsers of outside data (native tree, Clang)" OFF)

if(MSVC)
  set(VELORA_WARNINGS /W4 /WX)
  set(VELORA_THIRD_PARTY_OPTIONS /w)
  # Sources are UTF-8 (the system's Chinese names are string constants).
  add_compile_options(/utf-8 /permissive- /Zc:__cplusplus)
  # Static runtime: one self-contained program, as with mingw-w64 below.
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
else()
  set(VELORA_WARNINGS -Wall -Wextra -Werror -Wno-missing-field-initializers)
  set(VELORA_THIRD_PARTY_OPTIONS -O2 -w)
endif()

if(WIN32)
  add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0A00 WINVER=0x0A00)
endif()

if(MINGW)
  # No libstdc++, libgcc or winpthread DLLs beside the program.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Code and data nothing refers to are left out of the executables.
  add_compile_options(-ffunction-sections -fdata-sections)
  add_link_options(-Wl,--gc-sections)
  # GUI programs enter at wWinMain; console programs (the tests) keep main.
  add_link_options($<$<BOOL:$<TARGET_PROPERTY:WIN32_EXECUTABLE>>:-municode>)
  # Sections on page boundaries in the file as in memory: the loader maps the program's pages as
  # they are touched. Under Wine an image whose sections are not page-aligned in the file is
  # read whole into private memory (about 1.5 MB more working set for Velora.exe).
  add_link_options($<$<BOOL:$<TARGET_PROPERTY:WIN32_EXECUTABLE>>:-Wl,--file-alignment=0x1000>)
endif()

# Test programs need line numbers in their stack traces, not full debug information: a quarter
# of the object size and faster compiles and links. They spend their time waiting on windows and
# files, not computing, so their own files are optimised lightly (a quarter less compile time);
# the code under test is the shipped program's. The shipped program keeps full symbols.
if(NOT MSVC)
  set(VELORA_TEST_OPTIONS -g1 -Og)
endif()

if(VELORA_NATIVE AND VELORA_SANITIZE)
  set(VELORA_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_compile_options(${VELORA_SANITIZERS})
  add_link_options(${VELORA_SANITIZERS})
  list(APPEND VELORA_THIRD_PARTY_OPTIONS -fno-sanitize=all)
  # This tree only runs tests: line tables are enough for the sanitizers' reports.
  add_compile_options(-g1)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 reports false maybe-uninitialized warnings inside libstdc++ under the sanitizers.
    list(APPEND VELORA_WARNINGS -Wno-maybe-uninitialized)
  endif()
endif()

# Every library the fuzzers link is instrumented for coverage; only the fuzz programs get
# libFuzzer's main (fuzz/CMakeLists.txt).
if(VELORA_FUZZ)
  if(NOT VELORA_NATIVE OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang" OR NOT VELORA_SANITIZE)
    message(FATAL_ERROR "VELORA_FUZZ needs the native tree built with clang and the sanitizers")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
