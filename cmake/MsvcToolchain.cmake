# What the two toolchain files of the host's C++ ABI (Microsoft's) share: clang
# in its Microsoft mode, lld-link, llvm-rc, Wine's C runtime and Windows
# headers with Wine's import libraries, and libc++ as headers only (its
# compiled library is not built for this ABI). Each toolchain file sets
# CMAKE_SYSTEM_PROCESSOR, PRALVIK_MSVC_TRIPLE and PRALVIK_WINE_LIBRARY_DIR
# first.
set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET ${PRALVIK_MSVC_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${PRALVIK_MSVC_TRIPLE})
set(CMAKE_RC_COMPILER llvm-rc-14)
set(CMAKE_LINKER lld-link-14)
set(CMAKE_AR llvm-ar-14)

# Read by the project's CMake: which runtime support the module links and
# which targets a tree of this ABI builds (the module and the stand-in host).
set(PRALVIK_HOST_ABI msvc)

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Without Wine's import libraries of this width nothing links, and lld-link
# would only say much later that msvcrt.lib is missing.
if(NOT EXISTS ${PRALVIK_WINE_LIBRARY_DIR}/libmsvcrt.a)
  message(FATAL_ERROR "No Wine import libraries in ${PRALVIK_WINE_LIBRARY_DIR}: "
    "install libwine-dev for this width (scripts/install-deps)")
endif()

# clang's own headers (stddef.h and friends) sit in a folder named after its
# exact version.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-resource-dir
  OUTPUT_VARIABLE pralvik_clang_resources OUTPUT_STRIP_TRAILING_WHITESPACE)

# lld-link finds a library named on the command line as NAME.lib; Wine ships
# them as libNAME.a. A folder of links gives them the names lld-link looks for.
set(PRALVIK_MSVC_LIBRARY_LINKS ${CMAKE_BINARY_DIR}/msvc-libraries)
if(NOT EXISTS ${PRALVIK_MSVC_LIBRARY_LINKS}/msvcrt.lib)
  file(MAKE_DIRECTORY ${PRALVIK_MSVC_LIBRARY_LINKS})
  file(GLOB wine_import_libraries ${PRALVIK_WINE_LIBRARY_DIR}/lib*.a)
  foreach(library IN LISTS wine_import_libraries)
    get_filename_component(name ${library} NAME)
    string(REGEX REPLACE "^lib(.*)\\.a$" "\\1.lib" name ${name})
    file(CREATE_LINK ${library} ${PRALVIK_MSVC_LIBRARY_LINKS}/${name} SYMBOLIC)
  endforeach()
endif()

# The include order matters: libc++ first, then the small corrections of
# msvc-compat/, Wine's C runtime, Wine's Windows headers, clang's own.
set(pralvik_msvc_includes
  "-nostdinc"
  "-isystem /usr/lib/llvm-14/include/c++/v1"
  "-isystem ${CMAKE_CURRENT_LIST_DIR}/msvc-compat"
  "-isystem /usr/include/wine/wine/msvcrt"
  "-isystem /usr/include/wine/wine/windows"
  "-isystem ${pralvik_clang_resources}/include")
# _MSVCR_VER=0: msvcrt.dll, not the UCRT that Wine's headers default to.
# WINE_UNICODE_NATIVE: WCHAR is wchar_t, as in Microsoft's own headers.
# _ACRTIMP and _CRTIMP empty: the C runtime's functions are declared without
# dllimport, so the module's own malloc and friends (host/AllocatorRouting.cpp)
# match their declarations and every call reaches them, not an import pointer.
# The libc++ macros: no vcruntime, no compiled library behind the headers.
set(pralvik_msvc_definitions
  "-D_MSVCR_VER=0 -DWINE_UNICODE_NATIVE -D_ACRTIMP= -D_CRTIMP="
  "-D_LIBCPP_NO_VCRUNTIME -D_LIBCPP_DISABLE_VISIBILITY_ANNOTATIONS"
  "-D_LIBCPP_DISABLE_EXTERN_TEMPLATE -D_LIBCPP_HAS_NO_THREADS")
string(JOIN " " pralvik_msvc_c_flags ${pralvik_msvc_includes} ${pralvik_msvc_definitions})
set(CMAKE_C_FLAGS_INIT "${pralvik_msvc_c_flags}")
# No exceptions and no type information anywhere: libc++ is not there to
# support them. Local statics are touched by one thread only.
set(CMAKE_CXX_FLAGS_INIT "${pralvik_msvc_c_flags} -fno-exceptions -fno-rtti -fno-threadsafe-statics")

# llvm-rc writes .res files, which lld-link takes as they are (it takes one
# compiled resource object only); its preprocessor needs Wine's headers.
set(CMAKE_RC_FLAGS_INIT "-I /usr/include/wine/wine/windows -I /usr/include/wine/wine/msvcrt")

# No default libraries (libcmt and friends do not exist here): every image
# names what it imports. Wine's import objects carry no SafeSEH table; CMake
# would embed a manifest that nothing needs.
# The compile flags reach the link too, where -nostdinc has nothing to do.
set(pralvik_msvc_link_flags
  "-Wno-unused-command-line-argument -fuse-ld=lld -nostdlib -Wl,/nodefaultlib -Wl,/libpath:${PRALVIK_MSVC_LIBRARY_LINKS} -Wl,/manifest:no")
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  string(APPEND pralvik_msvc_link_flags " -Wl,/safeseh:no")
endif()
set(CMAKE_EXE_LINKER_FLAGS_INIT "${pralvik_msvc_link_flags}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${pralvik_msvc_link_flags}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${pralvik_msvc_link_flags}")
# msvcrt.dll for the C runtime; the system libraries that MinGW-w64 links by
# default too (an image imports only what it calls); ntdll for the helpers
# that the compiler's code calls (_chkstk, on x86 also the 64-bit division
# _aulldiv, _aullrem).
set(pralvik_msvc_libraries "-lmsvcrt -lkernel32 -luser32 -lgdi32 -ladvapi32 -lshell32 -lntdll")
set(CMAKE_C_STANDARD_LIBRARIES "${pralvik_msvc_libraries}" CACHE STRING "")
set(CMAKE_CXX_STANDARD_LIBRARIES "${pralvik_msvc_libraries}" CACHE STRING "")

include(${CMAKE_CURRENT_LIST_DIR}/WineLoader.cmake)
