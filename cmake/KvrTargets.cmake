# kvr_core_library(NAME SOURCES... [DEPS targets...])
#   A library of standard C++ only; the include root is the project root.
function(kvr_core_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    if(ARG_SOURCES)
        add_library(${name} STATIC ${ARG_SOURCES})
        set(scope PUBLIC)
    else()
        # A folder whose code is headers only so far.
        add_library(${name} INTERFACE)
        set(scope INTERFACE)
    endif()
    target_include_directories(${name} ${scope} ${PROJECT_SOURCE_DIR})
    if(ARG_DEPS)
        target_link_libraries(${name} ${scope} ${ARG_DEPS})
    endif()
endfunction()

# kvr_gtest(NAME SOURCES... DEPS targets...)
#   A GoogleTest program registered case by case with CTest.
function(kvr_gtest name)
    if(NOT KVR_TESTS)
        return()
    endif()
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
    # Cases are named after their program (db_questionline.Case), so ctest -R can pick one.
    string(REGEX REPLACE "^kvr_(.*)_test$" "\\1" prefix ${name})
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_PREFIX "${prefix}."
        PROPERTIES ENVIRONMENT "KVR_TEST_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()

# kvr_area(NAME DEPS targets...)
#   The core library of one folder: every .cpp of the folder but the tests; and one test
#   program per <name>_test.cpp beside them, so each suite builds and runs on its own.
function(kvr_area name)
    cmake_parse_arguments(ARG "" "" "DEPS;TEST_DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
    file(GLOB helpers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/testsupport*.cpp)
    list(FILTER sources EXCLUDE REGEX "(_test|testsupport[^/]*)\\.cpp$")
    kvr_core_library(${name} SOURCES ${sources} DEPS ${ARG_DEPS})
    foreach(test ${tests})
        get_filename_component(stem ${test} NAME_WE)
        kvr_gtest(${name}_${stem} SOURCES ${test} ${helpers} DEPS ${name} ${ARG_TEST_DEPS})
    endforeach()
endfunction()
