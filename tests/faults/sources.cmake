target_sources(orbsales_tests PRIVATE
    faults/scratch_database.h
    faults/scratch_database.cpp
    faults/fault_checks.h
    faults/fault_checks.cpp
    faults/ready_documents.h
    faults/ready_documents.cpp
    faults/failing_statement_test.cpp
)
