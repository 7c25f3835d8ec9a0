target_sources(orbsales_tests PRIVATE
    values/numbers_test.cpp
    values/dates_test.cpp
)
