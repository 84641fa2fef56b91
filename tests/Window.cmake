# The window's tests: a second program, run headless on Qt's offscreen platform.
if(TARGET corvina_window)
  find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
  set(CORVINA_WINDOW_TEST_SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/window/Form1_test.cpp ${CMAKE_CURRENT_SOURCE_DIR}/window/Input_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/window/Instance_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/window/Main.cpp ${CMAKE_CURRENT_SOURCE_DIR}/window/Window_test.cpp)
  add_executable(corvina_window_tests ${CORVINA_WINDOW_TEST_SOURCES}
    ${CMAKE_CURRENT_SOURCE_DIR}/Testutil.cpp ${CMAKE_CURRENT_SOURCE_DIR}/Faultyfiles.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/Posixtestsystem.cpp)
  target_include_directories(corvina_window_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(corvina_window_tests PRIVATE corvina_window Qt6::Test GTest::gtest)
  target_compile_definitions(corvina_window_tests PRIVATE
    CORVINA_DATA_DIR="${PROJECT_SOURCE_DIR}/data"
    CORVINA_EXE="$<TARGET_FILE:corvina>")
  add_dependencies(corvina_window_tests corvina)
  gtest_discover_tests(corvina_window_tests DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
