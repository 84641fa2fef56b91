# The platform layer's sources: the shared units and the system's own (Posix* or Win32*).
# Included by the main build and by the fuzz target's.
set(CORVINA_PLATFORM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Codepage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Messagebox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Paths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Process.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Utf8.cpp)
if(WIN32)
  list(APPEND CORVINA_PLATFORM_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/Win32Codepage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Win32Files.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Win32Messagebox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Win32Paths.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Win32Process.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Win32Text.cpp)
else()
  list(APPEND CORVINA_PLATFORM_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/PosixBackgroundemptier.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PosixCodepage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PosixDescriptor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PosixFiles.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PosixMessagebox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PosixPaths.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PosixProcess.cpp)
endif()
# The code page tables are worked out by the compiler: the compilers' default step limits are
# too small.
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/Codepage.cpp PROPERTIES
    COMPILE_OPTIONS "-fconstexpr-steps=200000000")
elseif(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/Codepage.cpp PROPERTIES
    COMPILE_OPTIONS "-fconstexpr-ops-limit=268435456")
endif()
