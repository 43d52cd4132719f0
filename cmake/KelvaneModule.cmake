# Each folder under src/ is one module: a static library named kelvane_<module>
# built from every .cpp in the folder, linked against the modules it needs.
# New files are picked up without editing this file (CONFIGURE_DEPENDS).

set(KELVANE_CORE_WARNINGS -Wall -Wextra -Werror -Wno-missing-field-initializers)

function(kelvane_module name)
    cmake_parse_arguments(ARG "" "" "DEPS;LIBS" ${ARGN})
    file(GLOB _sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${name}/*.cpp)
    if(_sources)
        add_library(kelvane_${name} STATIC ${_sources})
        set(_scope PUBLIC)
        target_compile_options(kelvane_${name} PRIVATE ${KELVANE_CORE_WARNINGS})
    else()
        # A module that has only headers so far.
        add_library(kelvane_${name} INTERFACE)
        set(_scope INTERFACE)
    endif()
    target_include_directories(kelvane_${name} ${_scope} ${PROJECT_SOURCE_DIR}/src)
    foreach(dep IN LISTS ARG_DEPS)
        target_link_libraries(kelvane_${name} ${_scope} kelvane_${dep})
    endforeach()
    if(ARG_LIBS)
        target_link_libraries(kelvane_${name} ${_scope} ${ARG_LIBS})
    endif()
endfunction()

# tests/<module>/*_test.cpp become one GoogleTest executable per module.
function(kelvane_module_test name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB _tests CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${name}/*_test.cpp)
    if(NOT _tests)
        return()
    endif()
    add_executable(${name}_test ${_tests})
    target_compile_options(${name}_test PRIVATE ${KELVANE_CORE_WARNINGS})
    target_include_directories(${name}_test PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name}_test PRIVATE kelvane_test_support GTest::gtest GTest::gmock
                                              GTest::gtest_main)
    foreach(dep IN LISTS ARG_DEPS)
        target_link_libraries(${name}_test PRIVATE kelvane_${dep})
    endforeach()
    gtest_discover_tests(${name}_test
        TEST_PREFIX "${name}."
        WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
        PROPERTIES ENVIRONMENT "KELVANE_SOURCE_DIR=${PROJECT_SOURCE_DIR};KELVANE_BUILD_DIR=${PROJECT_BINARY_DIR}"
        DISCOVERY_TIMEOUT 60)
endfunction()
