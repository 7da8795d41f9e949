# GoogleTest for both trees. The native tree uses the installed package; the
# Windows tree builds the sources from /usr/src/googletest with the cross
# compiler. Its win32 thread model has no std::mutex, which GoogleTest needs only
# for one helper class; the forced include supplies that class on Win32 events.
if(WIN32)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(notification_header ${CMAKE_CURRENT_LIST_DIR}/gtest_win32_notification.h)
  foreach(gtest_target gtest gtest_main gmock)
    target_compile_options(${gtest_target} PUBLIC -include ${notification_header})
  endforeach()
  add_library(project_gtest_main INTERFACE)
  target_link_libraries(project_gtest_main INTERFACE GTest::gmock GTest::gtest_main)
else()
  find_package(GTest REQUIRED)
  add_library(project_gtest_main INTERFACE)
  target_link_libraries(project_gtest_main INTERFACE GTest::gmock GTest::gtest_main)
endif()
