target_sources(orbsales_tests PRIVATE
    customers/customer_fixture.h
    customers/customer_doubles.h
    customers/customer_identity_test.cpp
    customers/customer_save_test.cpp
    customers/customer_get_test.cpp
    customers/customer_delete_test.cpp
    customers/customer_code_change_test.cpp
    customers/customer_address_test.cpp
    customers/customer_price_list_test.cpp
)
