# nlohmann-json, header-only, from Debian's nlohmann-json3-dev (tools/setup.sh installs it): the
# catalogue file and the browsers' bookmark files are JSON. The cross compiler must not search
# /usr/include, which holds the host's headers, so the library's own headers are copied into the
# build tree and that folder alone goes on the include path, in both trees.
set(VELORA_NLOHMANN_JSON_DIR "/usr/include/nlohmann" CACHE PATH
    "nlohmann-json's header folder, the one that holds json.hpp")
if(NOT EXISTS "${VELORA_NLOHMANN_JSON_DIR}/json.hpp")
  message(FATAL_ERROR "nlohmann-json is missing at ${VELORA_NLOHMANN_JSON_DIR}: run tools/setup.sh first, "
                      "or set VELORA_NLOHMANN_JSON_DIR")
endif()
set(VELORA_JSON_INCLUDE "${CMAKE_BINARY_DIR}/_deps/nlohmann_json/include")
file(COPY "${VELORA_NLOHMANN_JSON_DIR}/" DESTINATION "${VELORA_JSON_INCLUDE}/nlohmann")

add_library(velora_json INTERFACE)
target_include_directories(velora_json SYSTEM INTERFACE "${VELORA_JSON_INCLUDE}")
# No implicit conversions: reading a value of another type must be a test the code spells out.
target_compile_definitions(velora_json INTERFACE JSON_USE_IMPLICIT_CONVERSIONS=0)
