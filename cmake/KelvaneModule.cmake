# Each folder under src/ is one module: a static library named kelvane_<module>
# built from every .cpp in the folder, linked against the modules it needs.
# New files are picked up without editing this file (CONFIGURE_DEPENDS).
#
# kelvane_module(NAME DEPS MODULE... LIBS LIBRARY...): DEPS are the modules NAME builds on; their
# headers (and those of the modules below them) are what NAME may include. LIBS are outside
# libraries NAME uses in its own sources only: they are linked, but their headers are not
# handed on to the modules above (so QtCore stays inside src/platform). The DEPS are also
# written to the layer table that the structure test checks every include against
# (kelvane_write_layer_table, scripts/check_layers.py).

# Translated texts are used as formats: they are checked against the English text when the
# language file is read (TranslateFormat), so -Wformat-nonliteral stays off.
set(KELVANE_CORE_WARNINGS -Wall -Wextra -Wshadow -Wformat=2 -Wno-format-nonliteral
    -Wno-missing-field-initializers)
if(KELVANE_WERROR)
    list(APPEND KELVANE_CORE_WARNINGS -Werror)
endif()

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
        if(_scope STREQUAL "INTERFACE")
            message(FATAL_ERROR "kelvane_module(${name}): a module without sources cannot use LIBS")
        endif()
        target_link_libraries(kelvane_${name} PRIVATE ${ARG_LIBS})
    endif()
    set_property(GLOBAL APPEND PROPERTY KELVANE_MODULES ${name})
    set_property(GLOBAL PROPERTY KELVANE_MODULE_DEPS_${name} "${ARG_DEPS}")
endfunction()

# Writes the modules and their DEPS, in declaration order, to `file`: "NAME: DEP DEP ...".
function(kelvane_write_layer_table file)
    get_property(_modules GLOBAL PROPERTY KELVANE_MODULES)
    set(_text "# Written by CMake from the kelvane_module() lines of CMakeLists.txt.\n")
    foreach(name IN LISTS _modules)
        get_property(_deps GLOBAL PROPERTY KELVANE_MODULE_DEPS_${name})
        string(REPLACE ";" " " _deps "${_deps}")
        string(APPEND _text "${name}: ${_deps}\n")
    endforeach()
    file(CONFIGURE OUTPUT ${file} CONTENT "${_text}" @ONLY)
endfunction()

# The compile options of test code: the warnings, and no optimisation. Optimising the tests'
# own files costs about a third of a build's time and gains nothing; the code under test keeps
# the build type's options.
function(kelvane_test_compile_options target)
    target_compile_options(${target} PRIVATE ${KELVANE_CORE_WARNINGS} -O0)
endfunction()

# tests/<module>/*_test.cpp become one GoogleTest executable per module.
# LIBS: outside libraries the tests use themselves (a module's LIBS are private to it).
function(kelvane_module_test name)
    cmake_parse_arguments(ARG "" "" "DEPS;LIBS" ${ARGN})
    file(GLOB _tests CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${name}/*_test.cpp)
    if(NOT _tests)
        return()
    endif()
    add_executable(${name}_test ${_tests})
    kelvane_test_compile_options(${name}_test)
    target_include_directories(${name}_test PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name}_test PRIVATE kelvane_test_support GTest::gtest GTest::gmock
                                              GTest::gtest_main)
    foreach(dep IN LISTS ARG_DEPS)
        target_link_libraries(${name}_test PRIVATE kelvane_${dep})
    endforeach()
    target_link_libraries(${name}_test PRIVATE ${ARG_LIBS})
    gtest_discover_tests(${name}_test
        TEST_PREFIX "${name}."
        WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
        PROPERTIES ENVIRONMENT "KELVANE_SOURCE_DIR=${PROJECT_SOURCE_DIR};KELVANE_BUILD_DIR=${PROJECT_BINARY_DIR}"
        DISCOVERY_TIMEOUT 60)
endfunction()
