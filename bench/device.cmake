add_executable(orv_bench_read_all ${CMAKE_CURRENT_LIST_DIR}/read_all.cpp)
target_link_libraries(orv_bench_read_all PRIVATE orv_device orv_sim orv_warnings)
