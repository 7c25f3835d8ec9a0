target_sources(orbsales_tests PRIVATE
    orders/quotation_fixture.h
    orders/quotation_test.cpp
    orders/order_fixture.h
    orders/order_test.cpp
    orders/order_atomic_test.cpp
    orders/interrupted_run_test.cpp
    orders/order_conversion_test.cpp
)
