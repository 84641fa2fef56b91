# The window on Windows: native controls. corvinaw.exe (no console) links them and also runs
# batch conversions, showing their messages in message boxes. corvina.exe (console) loads them
# from the module corvina_window.dll only to open the window: with user32 loaded, batch runs
# started at the same moment under Wine without a display fail to start.
add_library(corvina_win32window STATIC
  ${PROJECT_SOURCE_DIR}/ui/Win32window.cpp
  ${PROJECT_SOURCE_DIR}/ui/Win32windowchildren.cpp
  ${PROJECT_SOURCE_DIR}/ui/Win32windowlayout.cpp
  ${PROJECT_SOURCE_DIR}/ui/Win32windowmessages.cpp
  ${PROJECT_SOURCE_DIR}/ui/Win32fonts.cpp
  ${PROJECT_SOURCE_DIR}/ui/Win32controls.cpp
  ${PROJECT_SOURCE_DIR}/ui/Win32instance.cpp
  ${PROJECT_SOURCE_DIR}/ui/Win32messagebox.cpp
  ${PROJECT_SOURCE_DIR}/ui/Win32program.cpp)
target_link_libraries(corvina_win32window PUBLIC corvina_core user32 gdi32 comdlg32 comctl32)
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

# Each Windows file carries the one resource script: icon, version information of project() in
# Japanese, and in the two programs the manifest (common controls 6, per-monitor DPI awareness,
# the supported systems, long paths). CORVINA_FILE tells the script which file it is in.
enable_language(RC)
configure_file(${PROJECT_SOURCE_DIR}/ui/resources/Version.h.in
  ${CMAKE_BINARY_DIR}/resources/Version.h @ONLY)
function(corvina_resources target file)
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/ui/resources/Corvina.rc)
  target_compile_definitions(${target} PRIVATE $<$<COMPILE_LANGUAGE:RC>:CORVINA_FILE=${file}>)
  target_include_directories(${target} PRIVATE
    $<$<COMPILE_LANGUAGE:RC>:${PROJECT_SOURCE_DIR}/ui/resources>
    $<$<COMPILE_LANGUAGE:RC>:${CMAKE_BINARY_DIR}/resources>)
endfunction()
# The numbers of ui/resources/Resource.h.
corvina_resources(corvina 1)
corvina_resources(corvinaw 2)
corvina_resources(corvina_win32window_module 3)
