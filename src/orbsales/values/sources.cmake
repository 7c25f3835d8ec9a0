target_sources(orbsales PRIVATE
    values/errors.h
    values/numbers.h
    values/numbers.cpp
    values/dates.h
    values/dates.cpp
    values/text.h
    values/text.cpp
)
