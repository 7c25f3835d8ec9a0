target_sources(orbsales_tests PRIVATE
    orders/quotation_fixture.h
    orders/quotation_create_test.cpp
    orders/quotation_load_test.cpp
    orders/order_fixture.h
    orders/order_save_test.cpp
    orders/order_process_test.cpp
    orders/order_atomic_test.cpp
    orders/interrupted_run_test.cpp
)
