target_sources(orbsales_tests PRIVATE
    cashmemos/cashmemo_fixture.h
    cashmemos/cashmemo_save_test.cpp
    cashmemos/cashmemo_load_test.cpp
    cashmemos/cashmemo_process_test.cpp
    cashmemos/cashmemo_books_test.cpp
)
