target_sources(orbsales_tests PRIVATE
    returns/return_fixture.h
    returns/return_loading_test.cpp
    returns/return_processing_test.cpp
    returns/return_credit_memo_test.cpp
)
