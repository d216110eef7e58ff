# sender_add_test(NAME [OWN_MAIN] SOURCES file... LIBS target...)
# One GoogleTest program; each of its tests is registered with CTest on its own.
# OWN_MAIN: the sources bring their own main() (the GUI tests make a QApplication first).
function(sender_add_test name)
    cmake_parse_arguments(TEST "OWN_MAIN" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${TEST_SOURCES})
    target_link_libraries(${name} PRIVATE ${TEST_LIBS} GTest::gtest)
    if(NOT TEST_OWN_MAIN)
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    target_compile_definitions(${name} PRIVATE
        SENDER_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures")
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600)
endfunction()
