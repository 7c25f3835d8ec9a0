target_sources(orbsales PRIVATE
    cashmemos/cashmemo_messages.h
    cashmemos/cash_memo.h
    cashmemos/cash_memo.cpp
    cashmemos/cash_memo_load.cpp
    cashmemos/cash_memo_processing.cpp
    cashmemos/cash_memo_posting.cpp
    cashmemos/cash_memo_stock.cpp
    cashmemos/cashmemos_registration.cpp
)
