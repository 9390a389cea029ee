# The menu definition reader and rewriter, fed arbitrary file contents.
file(GLOB ORV_TEXT_FUZZ_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/text/*.cpp)
add_library(orv_text_fuzzing STATIC ${ORV_TEXT_FUZZ_SOURCES})
target_include_directories(orv_text_fuzzing PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(orv_text_fuzzing PRIVATE ${ORV_FUZZ_FLAGS})
target_link_libraries(orv_text_fuzzing PUBLIC SQLite::SQLite3 Boost::boost PRIVATE orv_warnings)

orv_add_fuzzer(orv_menu_fuzz ${CMAKE_CURRENT_LIST_DIR}/MenuDefinitionFuzz.cpp orv_text_fuzzing)
