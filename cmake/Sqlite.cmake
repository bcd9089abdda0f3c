# SQLite amalgamation from the pinned npm package fetched by tools/setup.sh, checked and unpacked
# into the build tree at configure time. Never committed.
set(VELORA_SQLITE_TGZ "${PROJECT_SOURCE_DIR}/.cache/npm/better-sqlite3-12.11.1.tgz")
set(VELORA_SQLITE_SHA256 ebf0ed75a7a59dbcb3b24bbd014ef49d9f15bc328e4adcbf516f2a8fadfa2835)
set(VELORA_SQLITE_DIR "${CMAKE_BINARY_DIR}/_deps/sqlite3")

if(NOT EXISTS "${VELORA_SQLITE_TGZ}")
  message(FATAL_ERROR "${VELORA_SQLITE_TGZ} is missing: run tools/setup.sh first")
endif()
file(SHA256 "${VELORA_SQLITE_TGZ}" _sqlite_sum)
if(NOT _sqlite_sum STREQUAL VELORA_SQLITE_SHA256)
  message(FATAL_ERROR "sha256 of ${VELORA_SQLITE_TGZ} is ${_sqlite_sum}, expected ${VELORA_SQLITE_SHA256}")
endif()
if(NOT EXISTS "${VELORA_SQLITE_DIR}/sqlite3.c")
  file(ARCHIVE_EXTRACT INPUT "${VELORA_SQLITE_TGZ}" DESTINATION "${CMAKE_BINARY_DIR}/_deps/unpack"
       PATTERNS package/deps/sqlite3/sqlite3.c package/deps/sqlite3/sqlite3.h)
  file(MAKE_DIRECTORY "${VELORA_SQLITE_DIR}")
  file(RENAME "${CMAKE_BINARY_DIR}/_deps/unpack/package/deps/sqlite3/sqlite3.c" "${VELORA_SQLITE_DIR}/sqlite3.c")
  file(RENAME "${CMAKE_BINARY_DIR}/_deps/unpack/package/deps/sqlite3/sqlite3.h" "${VELORA_SQLITE_DIR}/sqlite3.h")
  file(REMOVE_RECURSE "${CMAKE_BINARY_DIR}/_deps/unpack")
endif()

add_library(sqlite3 STATIC "${VELORA_SQLITE_DIR}/sqlite3.c")
target_include_directories(sqlite3 SYSTEM PUBLIC "${VELORA_SQLITE_DIR}")
target_compile_definitions(sqlite3 PUBLIC
  SQLITE_THREADSAFE=1
  SQLITE_DQS=0
  SQLITE_OMIT_LOAD_EXTENSION=1
  SQLITE_DEFAULT_MEMSTATUS=0)
# The library is third-party code: no project warnings, no sanitizers, always optimised.
target_compile_options(sqlite3 PRIVATE ${VELORA_THIRD_PARTY_OPTIONS})
if(VELORA_NATIVE)
  find_package(Threads REQUIRED)
  target_link_libraries(sqlite3 PUBLIC Threads::Threads)
endif()
