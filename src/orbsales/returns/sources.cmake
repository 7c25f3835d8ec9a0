target_sources(orbsales PRIVATE
    returns/returns_messages.h
    returns/return_sources.h
    returns/return_sources.cpp
    returns/return_costing.h
    returns/return_costing.cpp
    returns/sales_return.h
    returns/sales_return.cpp
    returns/sales_return_sources.cpp
    returns/sales_return_processing.cpp
    returns/sales_return_credit_memo.cpp
    returns/returns_registration.cpp
)
