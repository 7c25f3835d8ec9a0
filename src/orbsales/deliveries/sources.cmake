target_sources(orbsales PRIVATE
    deliveries/delivery_messages.h
    deliveries/delivery_source.h
    deliveries/delivery_source.cpp
    deliveries/cost_of_goods.h
    deliveries/cost_of_goods.cpp
    deliveries/delivery.h
    deliveries/delivery.cpp
    deliveries/delivery_load.cpp
    deliveries/delivery_processing.cpp
    deliveries/direct_delivery.h
    deliveries/direct_delivery.cpp
    deliveries/direct_delivery_load.cpp
    deliveries/direct_delivery_processing.cpp
    deliveries/deliveries_registration.cpp
)
