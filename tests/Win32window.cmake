# The Windows window's tests: a second program that creates the window and drives its controls
# with their own messages. It needs a display (Wine under Xvfb), so it carries the label
# "window" and build-windows.sh runs it apart from the batch tests.
if(TARGET corvina_win32window)
  set(CORVINA_WIN32_WINDOW_TEST_SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/win32window/Win32controls_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/win32window/Win32fixture.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/win32window/Win32handlers_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/win32window/Win32programs_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/win32window/Win32window_test.cpp)
  add_executable(corvina_win32window_tests ${CORVINA_WIN32_WINDOW_TEST_SOURCES}
    ${CMAKE_CURRENT_SOURCE_DIR}/Testutil.cpp ${CMAKE_CURRENT_SOURCE_DIR}/Win32testsystem.cpp)
  target_include_directories(corvina_win32window_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(corvina_win32window_tests PRIVATE corvina_win32window version oleacc ole32 oleaut32
    GTest::gtest_main)
  # A DLL that loads but is not the window, for corvina.exe's refusal.
  add_library(corvina_noentry_module MODULE ${CMAKE_CURRENT_SOURCE_DIR}/win32window/Noentry.cpp)
  set_target_properties(corvina_noentry_module PROPERTIES PREFIX "" OUTPUT_NAME noentry)
  target_compile_definitions(corvina_win32window_tests PRIVATE
    CORVINA_DATA_DIR="${CORVINA_HOST_DRIVE}${PROJECT_SOURCE_DIR}/data"
    CORVINA_EXE="${CORVINA_HOST_DRIVE}$<TARGET_FILE:corvina>"
    CORVINAW_EXE="${CORVINA_HOST_DRIVE}$<TARGET_FILE:corvinaw>"
    CORVINA_WINDOW_DLL="${CORVINA_HOST_DRIVE}$<TARGET_FILE:corvina_win32window_module>"
    CORVINA_NOENTRY_DLL="${CORVINA_HOST_DRIVE}$<TARGET_FILE:corvina_noentry_module>"
    CORVINA_VERSION="${PROJECT_VERSION}")
  add_dependencies(corvina_win32window_tests corvina corvinaw corvina_win32window_module
    corvina_noentry_module)
  gtest_discover_tests(corvina_win32window_tests DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS window)
endif()
