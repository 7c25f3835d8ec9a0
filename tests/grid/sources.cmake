target_sources(orbsales_tests PRIVATE
    grid/memory_grid_builder.h
    grid/memory_grid_test.cpp
    grid/grid_rules_test.cpp
    grid/model_grid_test.cpp
)
