target_sources(orbsales_tests PRIVATE
    frame/frame_test.cpp
)
