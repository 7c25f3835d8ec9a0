target_sources(orbsales PRIVATE
    frame/error_trap.h
    frame/property.h
    frame/business_object.h
    frame/business_object.cpp
    frame/class_id.h
    frame/class_id.cpp
    frame/registry.h
    frame/registry.cpp
    frame/registrations.h
    frame/registrations.cpp
)
