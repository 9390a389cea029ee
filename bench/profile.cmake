# Factory image loading: one row per slot against one query per value.
add_executable(orv_factory_load_bench ${CMAKE_CURRENT_LIST_DIR}/FactoryLoadBench.cpp)
target_link_libraries(orv_factory_load_bench PRIVATE orv_profile orv_paths orv_warnings)
add_dependencies(orv_factory_load_bench orv_databases)
