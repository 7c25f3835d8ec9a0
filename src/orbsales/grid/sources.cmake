target_sources(orbsales PRIVATE
    grid/line_grid.h
    grid/line_grid.cpp
    grid/grid_rules.h
    grid/line_rows.h
    grid/line_rows.cpp
    grid/unit_period.h
    grid/grid_rules.cpp
    grid/memory_grid.h
    grid/memory_grid.cpp
    grid/model_grid.h
    grid/model_grid.cpp
)
