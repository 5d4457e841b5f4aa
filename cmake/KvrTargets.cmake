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
    # main.cpp is the folder's program (a Qt target declared by the folder itself).
    list(FILTER sources EXCLUDE REGEX "(_test|testsupport[^/]*|/main)\\.cpp$")
    kvr_core_library(${name} SOURCES ${sources} DEPS ${ARG_DEPS})
    if(NOT KVR_TESTS)
        return()
    endif()
    set(support)
    if(helpers)
        # Shared fakes are compiled once for all test programs of the folder.
        add_library(${name}_testsupport STATIC ${helpers})
        target_link_libraries(${name}_testsupport PUBLIC ${name} ${ARG_TEST_DEPS} GTest::gtest)
        set(support ${name}_testsupport)
    endif()
    foreach(test ${tests})
        get_filename_component(stem ${test} NAME_WE)
        kvr_gtest(${name}_${stem} SOURCES ${test} DEPS ${name} ${support} ${ARG_TEST_DEPS})
    endforeach()
endfunction()

# kvr_ui_area(NAME DEPS targets... [TEST_DEPS targets...])
#   The Qt library of one ui/ folder: every .cpp and .qrc of the folder but the tests, with
#   moc and rcc; and one QtTest program per <name>_test.cpp, run on the offscreen platform.
#   testsupport*.cpp files become NAME_testsupport, linked into every test of the folder.
function(kvr_ui_area name)
    cmake_parse_arguments(ARG "" "" "DEPS;TEST_DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
         ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
    file(GLOB helpers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/testsupport*.cpp)
    list(FILTER sources EXCLUDE REGEX "(_test|testsupport[^/]*)\\.cpp$")
    # Headers with Q_OBJECT must be listed for moc.
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    if(NOT sources)
        return() # a folder still waiting for its first window
    endif()
    add_library(${name} STATIC ${sources} ${headers})
    set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} Qt6::Widgets)
    if(NOT KVR_TESTS)
        return()
    endif()
    set(support)
    if(helpers)
        add_library(${name}_testsupport STATIC ${helpers})
        set_target_properties(${name}_testsupport PROPERTIES AUTOMOC ON)
        target_link_libraries(${name}_testsupport PUBLIC ${name} ${ARG_TEST_DEPS} Qt6::Test)
        set(support ${name}_testsupport)
    endif()
    string(REGEX REPLACE "^kvr_(.*)$" "\\1" prefix ${name})
    foreach(test ${tests})
        get_filename_component(stem ${test} NAME_WE)
        set(target ${name}_${stem})
        add_executable(${target} ${test})
        set_target_properties(${target} PROPERTIES AUTOMOC ON
            RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
        target_link_libraries(${target} PRIVATE ${name} ${support} ${ARG_TEST_DEPS} Qt6::Test)
        add_test(NAME ${prefix}.${stem} COMMAND ${target})
        set_tests_properties(${prefix}.${stem} PROPERTIES ENVIRONMENT
            "QT_QPA_PLATFORM=offscreen;KVR_TEST_SOURCE_DIR=${PROJECT_SOURCE_DIR};KVR_SCREENSHOT_DIR=${CMAKE_BINARY_DIR}/screenshots")
    endforeach()
endfunction()
