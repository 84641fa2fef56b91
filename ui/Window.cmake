# The window: Qt 6 Widgets. The Qt parts live in corvina_window so the widget tests can link them;
# the batch path in corvina_core never touches Qt.
find_package(Qt6 REQUIRED COMPONENTS Widgets)

add_library(corvina_window STATIC
  ${PROJECT_SOURCE_DIR}/ui/Unit1.cpp
  ${PROJECT_SOURCE_DIR}/ui/Unit1.h
  ${PROJECT_SOURCE_DIR}/ui/Window.cpp)
set_target_properties(corvina_window PROPERTIES AUTOMOC ON)
target_link_libraries(corvina_window PUBLIC corvina_core Qt6::Widgets)

target_link_libraries(corvina PRIVATE corvina_window)
