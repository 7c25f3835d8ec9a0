target_sources(orbsales PRIVATE
    numbering/document_number.h
    numbering/document_number.cpp
)
