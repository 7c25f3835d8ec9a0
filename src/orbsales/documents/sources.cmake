target_sources(orbsales PRIVATE
    documents/document_messages.h
    documents/currency_symbol.h
    documents/currency_symbol.cpp
    documents/posting.h
    documents/posting.cpp
    documents/source_lines.h
    documents/source_lines.cpp
    documents/quotient.h
)
