# The window on Windows: native controls, linked into both programs. corvina.exe (console) keeps
# its messages on the error stream in batch mode; corvinaw.exe (no console) shows them in message
# boxes. The batch path never creates a window.
add_library(corvina_win32window STATIC
  ${PROJECT_SOURCE_DIR}/ui/Win32window.cpp
  ${PROJECT_SOURCE_DIR}/ui/Win32controls.cpp)
target_link_libraries(corvina_win32window PUBLIC corvina_core user32 gdi32 comdlg32)
# The wide Windows API throughout.
target_compile_definitions(corvina_win32window PUBLIC UNICODE _UNICODE)

target_link_libraries(corvina PRIVATE corvina_win32window)

add_executable(corvinaw WIN32 ${PROJECT_SOURCE_DIR}/ui/Win32main.cpp)
target_link_libraries(corvinaw PRIVATE corvina_win32window)
set_target_properties(corvinaw PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_dependencies(corvinaw corvina_data)
