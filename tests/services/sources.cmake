target_sources(orbsales_tests PRIVATE
    services/recording_doubles.h
    services/recording_doubles.cpp
    services/package_fixture.h
    services/test_values.h
    services/contracts_general_currency_test.cpp
    services/ledger_test.cpp
    services/inventory_test.cpp
    services/records_test.cpp
    services/books_test.cpp
    services/books_halfdone_test.cpp
    services/books_numbers_test.cpp
    services/books_conversion_test.cpp
)
