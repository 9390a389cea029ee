# The skin parser. It builds the toolkit's own control tree and reads XML with Qt's stream
# reader, so the toolkit is compiled here with Qt (Core, Gui, Widgets) even though the fuzz
# preset builds no windows; splitting the parser out of the toolkit would only move the same
# Qt dependency into a second library.
find_package(Qt6 QUIET COMPONENTS Core Gui Widgets DBus)
if(NOT Qt6_FOUND)
  message(STATUS "Qt 6 not found: no skin parser fuzz target")
  return()
endif()
file(GLOB ORV_KIT_FUZZ_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/ui/kit/*.cpp)
add_library(orv_kit_fuzzing STATIC ${ORV_KIT_FUZZ_SOURCES})
target_include_directories(orv_kit_fuzzing PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(orv_kit_fuzzing PRIVATE ${ORV_FUZZ_FLAGS})
target_link_libraries(orv_kit_fuzzing PUBLIC orv_context Boost::boost Qt6::Widgets Qt6::Gui Qt6::DBus
                      Qt6::Core Threads::Threads PRIVATE orv_warnings)
set_target_properties(orv_kit_fuzzing PROPERTIES AUTOMOC ON)

orv_add_fuzzer(orv_skin_fuzz ${CMAKE_CURRENT_LIST_DIR}/SkinParserFuzz.cpp orv_kit_fuzzing)
