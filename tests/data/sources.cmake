target_sources(orbsales_tests PRIVATE
    data/connection_test.cpp
    data/statement_watch_test.cpp
    data/recordset_test.cpp
    data/text_keys_test.cpp
    data/legacy_sql_test.cpp
    data/operation_scope_test.cpp
    data/not_a_number_test.cpp
)
