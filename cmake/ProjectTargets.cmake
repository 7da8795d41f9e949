# Helpers shared by every target of the project: warnings, the module's code
# rules, and one way to declare a test.

# Warnings are our own targets' business, never imposed on third-party code.
function(project_warnings target)
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra -Werror>)
endfunction()

# Code that ends up in the module: no exceptions, and, where GCC compiles it, a
# `new` expression whose allocator may hand back null is checked before the
# object is constructed. Clang has no such switch (it ignores -fcheck-new):
# there the rule of the code, `new (std::nothrow)` only, is what checks.
function(project_module_code target)
  project_warnings(${target})
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions>
    $<$<AND:$<COMPILE_LANGUAGE:CXX>,$<CXX_COMPILER_ID:GNU>>:-fcheck-new>)
endfunction()

if(WIN32 AND NOT PRALVIK_HOST_ABI STREQUAL "msvc")
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

if(WIN32)
  # Programs and modules that run together sit in one folder: the stand-in
  # host loads the module it finds beside itself.
  set(PRALVIK_PROGRAM_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

  # The library entry, named to the linker. GCC's linker wants the symbol as
  # it stands in the objects (a __stdcall function is decorated on x86 only);
  # lld-link takes the undecorated name and finds the decorated one itself.
  # The runtimes are linked in statically under GCC; in the host's ABI there
  # is no such runtime to link (host/runtime/ stands in for it).
  if(PRALVIK_HOST_ABI STREQUAL "msvc")
    set(PROJECT_MODULE_ENTRY_OPTION -Wl,/entry:ModuleEntry)
  elseif(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(PROJECT_MODULE_ENTRY_OPTION -Wl,-e,ModuleEntry)
  else()
    set(PROJECT_MODULE_ENTRY_OPTION -Wl,-e,_ModuleEntry@12)
  endif()

  # add_host_module(target OUTPUT_NAME name SUFFIX .ext DEF file.def
  #                 [SOURCES ...] [LIBRARIES ...] [OUTPUT_DIRECTORY dir])
  # A module that the host loads: the module's entry points (module_entry),
  # linked with the exports that the .def names and nothing else, the custom
  # library entry point that leaves the runtime start to _SetacrxPtp, the
  # runtimes linked in statically (so that their allocations reach the
  # host's allocator too), and the host interface imported from the
  # stand-in host's executable.
  function(add_host_module target)
    cmake_parse_arguments(MODULE "" "OUTPUT_NAME;SUFFIX;DEF;OUTPUT_DIRECTORY" "SOURCES;LIBRARIES"
      ${ARGN})
    if(NOT MODULE_OUTPUT_DIRECTORY)
      set(MODULE_OUTPUT_DIRECTORY ${PRALVIK_PROGRAM_DIRECTORY})
    endif()
    add_library(${target} SHARED ${MODULE_DEF} ${MODULE_SOURCES})
    project_module_code(${target})
    # The host objects refer to the command (runMaterialEditor) that one of
    # LIBRARIES defines, and everything refers to the host interface: both
    # come after it on the link line.
    target_link_libraries(${target} PRIVATE module_entry host_objects ${MODULE_LIBRARIES}
      standin_host)
    target_link_options(${target} PRIVATE ${PROJECT_MODULE_ENTRY_OPTION} ${PROJECT_STATIC_RUNTIME})
    set_target_properties(${target} PROPERTIES
      OUTPUT_NAME ${MODULE_OUTPUT_NAME} PREFIX "" SUFFIX ${MODULE_SUFFIX}
      RUNTIME_OUTPUT_DIRECTORY ${MODULE_OUTPUT_DIRECTORY})
  endfunction()
endif()
