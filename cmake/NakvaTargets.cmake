include(GoogleTest)

# nakva_add_library(NAME SOURCES ... [QT] [DEPS ...])
# A headless library must not name QT: the linker then keeps Qt out of the core.
function(nakva_add_library name)
    cmake_parse_arguments(L "QT" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${L_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${L_DEPS} PRIVATE nakva_warnings)
    if(L_QT)
        set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
    endif()
endfunction()

# Every test's time limit in seconds: a test that hangs fails instead of holding the run.
set(NAKVA_TEST_TIMEOUT 60 CACHE STRING "time limit of each test, in seconds")

set(NAKVA_TEST_ENV "LANG=C.UTF-8;LC_ALL=C.UTF-8;TZ=Europe/Vilnius;QT_QPA_PLATFORM=offscreen")

# nakva_add_gtest(NAME SOURCES ... LIBS ...): one GoogleTest executable, every case a ctest test.
function(nakva_add_gtest name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    # The test main pins the environment itself: gtest_discover_tests cannot pass a list of variables.
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/GTestMain.cpp)
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest nakva_warnings)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${NAKVA_TEST_TIMEOUT})
endfunction()

# nakva_add_qttest(NAME SOURCES ... LIBS ...): one QtTest executable for widgets, run offscreen.
function(nakva_add_qttest name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
    target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Test nakva_warnings)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${NAKVA_TEST_ENV}" TIMEOUT ${NAKVA_TEST_TIMEOUT})
endfunction()
