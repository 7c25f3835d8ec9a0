target_sources(orbsales_tests PRIVATE
    support/test_main.cpp
    support/test_database.h
    support/test_database.cpp
    support/quotation_creator.h
    support/quotation_creator.cpp
    support/order_worker.h
    support/order_worker.cpp
)
