# velora_embed(<target> <input file> <symbol>): compiles the bytes of a file into the target as
# `extern const unsigned char <symbol>[]; extern const std::size_t <symbol>_size;`.
function(velora_embed target input symbol)
  set(out "${CMAKE_CURRENT_BINARY_DIR}/embedded_${symbol}.cpp")
  add_custom_command(
    OUTPUT "${out}"
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${out} -DSYMBOL=${symbol}
            -P "${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake"
    DEPENDS "${input}" "${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake"
    VERBATIM)
  target_sources(${target} PRIVATE "${out}")
endfunction()
