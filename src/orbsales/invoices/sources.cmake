target_sources(orbsales PRIVATE
    invoices/invoice_messages.h
    invoices/line_amounts.h
    invoices/line_amounts.cpp
    invoices/sales_invoice.h
    invoices/sales_invoice.cpp
    invoices/sales_invoice_load.cpp
    invoices/sales_invoice_processing.cpp
    invoices/sales_invoice_posting.cpp
    invoices/sales_invoice_cancel.cpp
    invoices/invoices_registration.cpp
)
