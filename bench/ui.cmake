# The tool idling on the overview for a long time (memory growth, CPU per minute).
if(TARGET orv_ui AND TARGET orv_kit_testing)
  add_executable(orv_bench_idle_overview ${CMAKE_CURRENT_LIST_DIR}/IdleOverviewBench.cpp)
  target_link_libraries(orv_bench_idle_overview PRIVATE orv_ui orv_sim orv_kit_testing
                        orv_warnings)
  target_compile_definitions(orv_bench_idle_overview PRIVATE ORV_BENCH_DATA_DIR="${ORV_DATA_DIR}")
  foreach(runtime orv_databases orv_skins orv_menus orv_images)
    if(TARGET ${runtime})
      add_dependencies(orv_bench_idle_overview ${runtime})
    endif()
  endforeach()
endif()
