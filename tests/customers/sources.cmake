target_sources(orbsales_tests PRIVATE
    customers/customer_fixture.h
    customers/customer_test.cpp
    customers/customer_get_delete_test.cpp
    customers/customer_code_change_test.cpp
    customers/customer_address_price_test.cpp
    customers/customer_ob_fixture.h
    customers/customer_ob_test.cpp
    customers/customer_ob_processing_test.cpp
    customers/customer_ob_books_test.cpp
)
