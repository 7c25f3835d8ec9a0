target_sources(orbsales_tests PRIVATE
    invoices/invoice_fixture.h
    invoices/invoice_fixture.cpp
    invoices/invoice_load_test.cpp
    invoices/invoice_save_test.cpp
    invoices/invoice_process_test.cpp
    invoices/invoice_cancel_test.cpp
    invoices/invoice_members_test.cpp
)
