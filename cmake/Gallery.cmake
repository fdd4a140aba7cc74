# The gallery's contact sheets (docs/gallery, remade by scripts/gallery): a
# tool for the README, not installed. Its drawing is a library of its own so
# that the picture library's test can draw the sheets again and compare.
add_library(tintora_gallery STATIC src/gallery/gallery_sheet.cpp)
target_link_libraries(tintora_gallery PUBLIC tintora_book_core tintora_check_view)
add_executable(tintora-gallery src/gallery/gallery_main.cpp)
target_link_libraries(tintora-gallery PRIVATE tintora_gallery)
set_target_properties(tintora-gallery PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
