# Include isolation: a target sees a folder's headers only when it links a library of that folder.
#
# Every folder's headers get forwarding headers in the build tree, under
# include/<folder>/<folder>/, and each library puts only its own folder's include/<folder> on
# its PUBLIC include path. `#include "store/items.h"` then resolves for the store's libraries and
# for whatever links them, and fails to build anywhere else. Forwarders are plain files (no
# links, so Windows builds them too); the glob re-runs the configure step when a header comes
# or goes, and forwarders of removed headers are deleted.
set(VELORA_INCLUDE_ROOT "${CMAKE_BINARY_DIR}/include")

function(velora_expose_folder_headers folder source_dir)
  get_property(done GLOBAL PROPERTY VELORA_EXPOSED_${folder})
  if(done)
    return()
  endif()
  set_property(GLOBAL PROPERTY VELORA_EXPOSED_${folder} TRUE)

  set(stage "${VELORA_INCLUDE_ROOT}/${folder}/${folder}")
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE "${source_dir}" "${source_dir}/*.h")
  foreach(header IN LISTS headers)
    set(target_header "${source_dir}/${header}")
    file(CONFIGURE OUTPUT "${stage}/${header}"
      CONTENT "#pragma once\n#include \"${target_header}\"\n" @ONLY)
  endforeach()

  file(GLOB_RECURSE staged RELATIVE "${stage}" "${stage}/*.h")
  foreach(header IN LISTS staged)
    if(NOT header IN_LIST headers)
      file(REMOVE "${stage}/${header}")
    endif()
  endforeach()
endfunction()

# The folder a library's CMakeLists.txt stands in, as its headers are spelt: src/store -> store,
# assets -> assets.
function(velora_folder_of_current_dir out)
  file(RELATIVE_PATH folder "${PROJECT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}")
  string(REGEX REPLACE "^src/" "" folder "${folder}")
  set(${out} "${folder}" PARENT_SCOPE)
endfunction()

function(velora_expose_headers target)
  velora_folder_of_current_dir(folder)
  velora_expose_folder_headers("${folder}" "${CMAKE_CURRENT_SOURCE_DIR}")
  target_include_directories(${target} PUBLIC "$<BUILD_INTERFACE:${VELORA_INCLUDE_ROOT}/${folder}>")
endfunction()
