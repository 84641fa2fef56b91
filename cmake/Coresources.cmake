# The sources of the conversion core: text reader and writer, driver, lexers and HTML output.
# Included by the main build and by the fuzz target's, beside platform/Sources.cmake.
get_filename_component(CORVINA_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
set(CORVINA_CORE_SOURCES
  ${CORVINA_SOURCE_ROOT}/core/Charencoder.cpp
  ${CORVINA_SOURCE_ROOT}/core/Convert.cpp
  ${CORVINA_SOURCE_ROOT}/core/Linesplitter.cpp
  ${CORVINA_SOURCE_ROOT}/core/Stringlist.cpp
  ${CORVINA_SOURCE_ROOT}/core/Textencoding.cpp
  ${CORVINA_SOURCE_ROOT}/core/Textreader.cpp
  ${CORVINA_SOURCE_ROOT}/core/Textwriter.cpp
  ${CORVINA_SOURCE_ROOT}/core/Tokenbatch.cpp
  ${CORVINA_SOURCE_ROOT}/lexers/Languagetable.cpp
  ${CORVINA_SOURCE_ROOT}/lexers/Mergedlists.cpp
  ${CORVINA_SOURCE_ROOT}/lexers/Tokencontext.cpp
  ${CORVINA_SOURCE_ROOT}/lexers/Tokenreader.cpp
  ${CORVINA_SOURCE_ROOT}/lexers/Tokenreadercase.cpp
  ${CORVINA_SOURCE_ROOT}/lexers/Tokenreadercommon.cpp
  ${CORVINA_SOURCE_ROOT}/lexers/Tokenreadercsharp.cpp
  ${CORVINA_SOURCE_ROOT}/lexers/Tokenreaderdelphi.cpp
  ${CORVINA_SOURCE_ROOT}/lexers/Tokenreadernocase.cpp
  ${CORVINA_SOURCE_ROOT}/lexers/Tokenreaderplsql.cpp
  ${CORVINA_SOURCE_ROOT}/lexers/Tokenreadertsql.cpp
  ${CORVINA_SOURCE_ROOT}/lexers/Tokenreadervb.cpp
  ${CORVINA_SOURCE_ROOT}/lexers/Wordindex.cpp
  ${CORVINA_SOURCE_ROOT}/output/Colorfields.cpp
  ${CORVINA_SOURCE_ROOT}/output/Colorsettinglist.cpp
  ${CORVINA_SOURCE_ROOT}/output/Tokenwriter.cpp)
