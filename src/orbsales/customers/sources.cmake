target_sources(orbsales PRIVATE
    customers/customer_messages.h
    customers/customer_address.h
    customers/customer_address.cpp
    customers/customer_addresses.h
    customers/customer_addresses.cpp
    customers/customer.h
    customers/customer.cpp
    customers/customer_load.cpp
    customers/customer_address_operations.cpp
    customers/customer_code_change.h
    customers/customer_code_change.cpp
    customers/customer_price_list.h
    customers/customer_price_list.cpp
    customers/customers_registration.cpp
)
