# The window on Windows: native controls. corvinaw.exe (no console) links them and also runs
# batch conversions, showing their messages in message boxes. corvina.exe (console) loads them
# from the module corvina_window.dll only to open the window: with user32 loaded, batch runs
# started at the same moment under Wine without a display fail to start.
add_library(corvina_win32window STATIC
  ${PROJECT_SOURCE_DIR}/ui/Win32window.cpp
  ${PROJECT_SOURCE_DIR}/ui/Win32controls.cpp)
target_link_libraries(corvina_win32window PUBLIC corvina_core user32 gdi32 comdlg32)
# The wide Windows API throughout.
target_compile_definitions(corvina_win32window PUBLIC UNICODE _UNICODE)

# The file name is Win32WindowModuleName (ui/Interactive.h).
add_library(corvina_win32window_module MODULE ${PROJECT_SOURCE_DIR}/ui/Win32windowmodule.cpp)
target_link_libraries(corvina_win32window_module PRIVATE corvina_win32window)
# Static here too (not only through the toolchain's first-configure flags, which an existing
# build folder keeps from before): the module must load with no MinGW runtime DLL beside it.
target_link_options(corvina_win32window_module PRIVATE -static)
set_target_properties(corvina_win32window_module PROPERTIES
  OUTPUT_NAME corvina_window PREFIX "" SUFFIX ".dll"
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

target_sources(corvina PRIVATE ${PROJECT_SOURCE_DIR}/ui/Win32windowloader.cpp)
add_dependencies(corvina corvina_win32window_module)

add_executable(corvinaw WIN32 ${PROJECT_SOURCE_DIR}/ui/Win32main.cpp)
target_link_libraries(corvinaw PRIVATE corvina_win32window)
set_target_properties(corvinaw PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_dependencies(corvinaw corvina_data)
