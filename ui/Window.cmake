# The window: Qt 6 Widgets. The Qt parts live in corvina_window so the widget tests can link them;
# the executable loads them as the module corvina_window.so only in window mode, so the batch path
# in corvina_core never loads Qt.
find_package(Qt6 REQUIRED COMPONENTS Widgets Network)

set_target_properties(corvina_core PROPERTIES POSITION_INDEPENDENT_CODE ON)

add_library(corvina_window STATIC
  ${PROJECT_SOURCE_DIR}/ui/Qtwindow.cpp
  ${PROJECT_SOURCE_DIR}/ui/Qtwindow.h
  ${PROJECT_SOURCE_DIR}/ui/Qtcontrols.cpp
  ${PROJECT_SOURCE_DIR}/ui/Qtcontrols.h
  ${PROJECT_SOURCE_DIR}/ui/Qtinstance.cpp
  ${PROJECT_SOURCE_DIR}/ui/Qtinstance.h
  ${PROJECT_SOURCE_DIR}/ui/resources/Corvina.qrc)
set_target_properties(corvina_window PROPERTIES AUTOMOC ON AUTORCC ON POSITION_INDEPENDENT_CODE ON)
target_link_libraries(corvina_window PUBLIC corvina_core Qt6::Widgets Qt6::Network)

add_library(corvina_window_module MODULE ${PROJECT_SOURCE_DIR}/ui/Window.cpp)
target_link_libraries(corvina_window_module PRIVATE corvina_window)
set_target_properties(corvina_window_module PROPERTIES
  OUTPUT_NAME corvina_window PREFIX "" SUFFIX ".so"
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

target_sources(corvina PRIVATE ${PROJECT_SOURCE_DIR}/ui/Windowloader.cpp)
add_dependencies(corvina corvina_window_module)
