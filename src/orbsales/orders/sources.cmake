target_sources(orbsales PRIVATE
    orders/order_messages.h
    orders/sales_quotation.h
    orders/sales_quotation.cpp
    orders/sales_quotation_load.cpp
    orders/discount_shares.h
    orders/discount_shares.cpp
    orders/sales_order.h
    orders/sales_order.cpp
    orders/sales_order_load.cpp
    orders/sales_order_processing.cpp
    orders/order_conversion.cpp
    orders/orders_registration.cpp
)
