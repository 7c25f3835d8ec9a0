target_sources(orbsales_tests PRIVATE
    cli/cli_fixture.h
    cli/scenario_runner_test.cpp
    cli/commands_test.cpp
    cli/bench_chain_test.cpp
    cli/demo_and_bench_test.cpp
    cli/demo_openingbalances_test.cpp
    cli/describe_test.cpp
    cli/deliveries_cli_test.cpp
    cli/returns_demo_bench_test.cpp
    cli/hardening_cli_test.cpp
    cli/check_workload_test.cpp
)
target_link_libraries(orbsales_tests PRIVATE orbsales_clilib)
# The example scenarios are run by the tests from where they live in the source tree.
target_compile_definitions(orbsales_tests PRIVATE ORBSALES_EXAMPLES_DIR="${CMAKE_SOURCE_DIR}/examples")
