# The window on Windows: native controls, linked into corvinaw.exe (no console), which also runs
# batch conversions and shows their messages in message boxes. corvina.exe (console) keeps a
# batch run's messages on the error stream.
add_library(corvina_win32window STATIC
  ${PROJECT_SOURCE_DIR}/ui/Win32window.cpp
  ${PROJECT_SOURCE_DIR}/ui/Win32controls.cpp)
target_link_libraries(corvina_win32window PUBLIC corvina_core user32 gdi32 comdlg32)
# The wide Windows API throughout.
target_compile_definitions(corvina_win32window PUBLIC UNICODE _UNICODE)

# corvina.exe stays the scripting tool without the window: with user32 loaded, batch runs
# started at the same moment under Wine without a display fail to start.
target_sources(corvina PRIVATE ${PROJECT_SOURCE_DIR}/ui/Nowindow.cpp)

add_executable(corvinaw WIN32 ${PROJECT_SOURCE_DIR}/ui/Win32main.cpp)
target_link_libraries(corvinaw PRIVATE corvina_win32window)
set_target_properties(corvinaw PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_dependencies(corvinaw corvina_data)
