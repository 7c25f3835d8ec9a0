target_sources(orbsales PRIVATE
    numbering/document_number.h
    numbering/document_number.cpp
    numbering/processing_mode.h
    numbering/renumbering.h
    numbering/renumbering.cpp
)
