# Rasterising the SVG artwork at build time: PNGs with rsvg-convert, icons and cursors packed
# with icotool. The outputs live in the build tree only.
find_program(VELORA_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(VELORA_ICOTOOL icotool REQUIRED)

# velora_svg_png(<svg> <size> <out png>)
function(velora_svg_png svg size out)
  add_custom_command(
    OUTPUT "${out}"
    COMMAND "${VELORA_RSVG_CONVERT}" -w ${size} -h ${size} -f png -o "${out}" "${svg}"
    DEPENDS "${svg}"
    VERBATIM)
endfunction()

# velora_svg_ico(<svg> <out ico> <size>…): one 32-bit image per size; 256 is stored as PNG,
# as icons with that size are.
function(velora_svg_ico svg out)
  get_filename_component(stem "${out}" NAME_WE)
  set(images)
  foreach(size IN LISTS ARGN)
    set(png "${CMAKE_CURRENT_BINARY_DIR}/${stem}_${size}.png")
    velora_svg_png("${svg}" ${size} "${png}")
    if(size EQUAL 256)
      list(APPEND images -r "${png}")
    else()
      list(APPEND images "${png}")
    endif()
    list(APPEND pngs "${png}")
  endforeach()
  add_custom_command(
    OUTPUT "${out}"
    COMMAND "${VELORA_ICOTOOL}" -c -b 32 -o "${out}" ${images}
    DEPENDS ${pngs}
    VERBATIM)
endfunction()

# velora_svg_cur(<svg> <out cur> <size> <hotspot x> <hotspot y>)
function(velora_svg_cur svg out size hot_x hot_y)
  get_filename_component(stem "${out}" NAME_WE)
  set(png "${CMAKE_CURRENT_BINARY_DIR}/${stem}_${size}.png")
  velora_svg_png("${svg}" ${size} "${png}")
  add_custom_command(
    OUTPUT "${out}"
    COMMAND "${VELORA_ICOTOOL}" -c --cursor -X ${hot_x} -Y ${hot_y} -b 32 -o "${out}" "${png}"
    DEPENDS "${png}"
    VERBATIM)
endfunction()
