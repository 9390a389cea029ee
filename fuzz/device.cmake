# The vendor protocol, the connection worker and the test-report decoding, fed by a hostile
# controller.
file(GLOB ORV_DEVICE_FUZZ_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/device/*.cpp
     ${PROJECT_SOURCE_DIR}/device/hid/*.cpp)
add_library(orv_device_fuzzing STATIC ${ORV_DEVICE_FUZZ_SOURCES})
target_include_directories(orv_device_fuzzing PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(orv_device_fuzzing PRIVATE ${ORV_FUZZ_FLAGS})
target_link_libraries(orv_device_fuzzing PUBLIC Threads::Threads PRIVATE orv_warnings)

orv_add_fuzzer(orv_controller_fuzz ${CMAKE_CURRENT_LIST_DIR}/ControllerRepliesFuzz.cpp
               orv_device_fuzzing)
