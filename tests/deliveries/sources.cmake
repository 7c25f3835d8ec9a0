target_sources(orbsales_tests PRIVATE
    deliveries/delivery_fixture.h
    deliveries/delivery_fixture.cpp
    deliveries/direct_delivery_fixture.h
    deliveries/delivery_save_test.cpp
    deliveries/delivery_load_test.cpp
    deliveries/delivery_process_test.cpp
    deliveries/direct_delivery_test.cpp
    deliveries/direct_delivery_process_test.cpp
    deliveries/delivery_books_test.cpp
)
