target_sources(orbsales_tests PRIVATE
    numbering/parallel_creators_test.cpp
    numbering/counter_test.cpp
)
