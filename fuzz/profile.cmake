# The import path of the profile layer (the settings database reader), fed arbitrary file
# contents.
file(GLOB ORV_PROFILE_FUZZ_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/profile/*.cpp)
add_library(orv_profile_fuzzing STATIC ${ORV_PROFILE_FUZZ_SOURCES})
target_include_directories(orv_profile_fuzzing PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(orv_profile_fuzzing PRIVATE ${ORV_FUZZ_FLAGS})
target_compile_definitions(orv_profile_fuzzing PRIVATE ORV_TOOL_VERSION="${PROJECT_VERSION}")
target_link_libraries(orv_profile_fuzzing PUBLIC orv_device orv_text SQLite::SQLite3 Boost::locale
                      PRIVATE orv_warnings)

add_executable(orv_import_fuzz ${CMAKE_CURRENT_LIST_DIR}/ImportFuzz.cpp)
target_compile_options(orv_import_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(orv_import_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(orv_import_fuzz PRIVATE orv_profile_fuzzing orv_warnings)
add_dependencies(orv_import_fuzz orv_databases)  # ProfileTemData.db is the first input of the corpus

# The controller backup reader of orvctl (profile/ControllerBackup), fed arbitrary file contents.
if(EXISTS ${PROJECT_SOURCE_DIR}/profile/ControllerBackup.h)
  orv_add_fuzzer(orv_backup_fuzz ${CMAKE_CURRENT_LIST_DIR}/BackupFileFuzz.cpp orv_profile_fuzzing)
endif()
