# Helpers shared by the modules' CMakeLists.

# The system's own modules keep their texts as code page 936 bytes: sources are UTF-8,
# string literals become GBK.
function(pc_system_charset target)
  target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=CP936)
endfunction()

# A shared library of the system: hidden by default, exporting only what it marks.
function(pc_hidden_visibility target)
  set_target_properties(${target} PROPERTIES
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
endfunction()

# pc_add_tests(<name> SOURCES <files...> LIBS <libs...> [SYSTEM_CHARSET])
# One GoogleTest program per call; cases are discovered when ctest runs, so that GUI
# tests are listed under the offscreen platform too.
function(pc_add_tests name)
  cmake_parse_arguments(T "SYSTEM_CHARSET" "" "SOURCES;LIBS" ${ARGN})
  if(NOT T_SOURCES)
    return()
  endif()
  add_executable(${name} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/cmake/TestProgramDefaults.cpp)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  if(T_SYSTEM_CHARSET)
    pc_system_charset(${name})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    DISCOVERY_TIMEOUT 60)
  # The test environment, set on every discovered case once the cases are known. (Given to
  # the discovery as a property, a list of variables arrives cut to its first entry.)
  set(env_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
  file(WRITE ${env_file}
    "if(${name}_TESTS)\n"
    "  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT\n"
    "    \"QT_QPA_PLATFORM=offscreen;PC_TEST_OUTPUT=${CMAKE_BINARY_DIR}/test-output;PC_REGISTRY_FILE=:memory:\")\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${env_file})
endfunction()
