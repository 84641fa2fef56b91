# The fuzz checks also run in the normal test build, replaying tests/fuzz/corpus.
target_sources(corvina_tests PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/Fuzzcheck.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/Corpus_test.cpp)
target_include_directories(corvina_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
