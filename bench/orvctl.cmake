add_executable(orv_bench_orvctl_backup ${CMAKE_CURRENT_LIST_DIR}/orvctl_backup.cpp)
target_link_libraries(orv_bench_orvctl_backup PRIVATE orv_cli orv_sim orv_warnings)
target_compile_definitions(orv_bench_orvctl_backup PRIVATE ORV_BENCH_DATA_DIR="${ORV_DATA_DIR}")
