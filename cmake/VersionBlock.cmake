# The version block every executable of the product carries (company, product, versions,
# web address). TVersionData reads it from the running program.

set(SEARCH_VERSION_SOURCE "${CMAKE_BINARY_DIR}/generated/VersionBlock.cpp")
set(SEARCH_PRODUCT_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
configure_file("${CMAKE_CURRENT_LIST_DIR}/VersionBlock.cpp.in" "${SEARCH_VERSION_SOURCE}" @ONLY)

# Embeds the block into an executable target.
function(search_embed_version target)
  target_sources(${target} PRIVATE "${SEARCH_VERSION_SOURCE}")
endfunction()
