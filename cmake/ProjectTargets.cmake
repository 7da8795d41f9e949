# Helpers shared by every target of the project: warnings, the module's code
# rules, and one way to declare a test.

# Warnings are our own targets' business, never imposed on third-party code.
function(project_warnings target)
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra -Werror>)
endfunction()

# Code that ends up in the module: no exceptions, and a `new` expression whose
# allocator may hand back null is checked before the object is constructed.
function(project_module_code target)
  project_warnings(${target})
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fcheck-new>)
endfunction()

if(WIN32)
  # A dynamically linked MinGW program fails silently under Wine when
  # libgcc_s or libstdc++ DLLs are missing.
  set(PROJECT_STATIC_RUNTIME -static-libgcc -static-libstdc++)
endif()

# add_project_test(name SOURCES ... LIBRARIES ...)
# One test executable, registered with CTest under its own name. Under the
# cross build CTest runs it through CMAKE_CROSSCOMPILING_EMULATOR (wine).
function(add_project_test name)
  cmake_parse_arguments(TEST "" "WORKING_DIRECTORY" "SOURCES;LIBRARIES;LABELS" ${ARGN})
  add_executable(${name} ${TEST_SOURCES})
  project_warnings(${name})
  target_link_libraries(${name} PRIVATE ${TEST_LIBRARIES} project_gtest_main)
  if(WIN32)
    target_link_options(${name} PRIVATE -static)
  endif()
  if(NOT TEST_WORKING_DIRECTORY)
    set(TEST_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${TEST_WORKING_DIRECTORY})
  if(TEST_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${TEST_LABELS}")
  endif()
endfunction()
