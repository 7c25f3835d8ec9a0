# cmake --install: the library, its headers (src/orbsales/CMakeLists.txt), the orbsales tool
# when it is built, and a CMake package, so that a front end writes
#
#     find_package(OrbSales 0.1 REQUIRED)
#     target_link_libraries(frontend PRIVATE OrbSales::orbsales)
#
# and gets the headers, C++20, Qt 6 Core and Sql with the target.
include(CMakePackageConfigHelpers)

set(ORBSALES_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/OrbSales)

install(TARGETS orbsales EXPORT OrbSalesTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime NAMELINK_COMPONENT Development
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
if(TARGET orbsales_cli)
    # OrbSales::orbsales_cli: a front end's build may run `describe --json` to generate bindings.
    install(TARGETS orbsales_cli EXPORT OrbSalesTargets RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
endif()

install(EXPORT OrbSalesTargets
        NAMESPACE OrbSales::
        FILE OrbSalesTargets.cmake
        DESTINATION ${ORBSALES_CMAKE_DIR}
        COMPONENT Development)

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/OrbSalesConfig.cmake.in
                              ${CMAKE_CURRENT_BINARY_DIR}/OrbSalesConfig.cmake
                              INSTALL_DESTINATION ${ORBSALES_CMAKE_DIR})
# Before 1.0 a minor version may change the interface.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/OrbSalesConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/OrbSalesConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/OrbSalesConfigVersion.cmake
        DESTINATION ${ORBSALES_CMAKE_DIR}
        COMPONENT Development)
