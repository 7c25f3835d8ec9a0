target_sources(orbsales_tests PRIVATE
    orders/quotation_fixture.h
    orders/quotation_test.cpp
    orders/order_fixture.h
    orders/order_test.cpp
)
