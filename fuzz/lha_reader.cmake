tarvel_add_fuzz_target(lha_reader SOURCES ${CMAKE_CURRENT_LIST_DIR}/LhaReaderFuzz.cpp LIBS setup_lha)
