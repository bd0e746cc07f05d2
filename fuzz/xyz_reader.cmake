tarvel_add_fuzz_target(xyz_reader SOURCES ${CMAKE_CURRENT_LIST_DIR}/XyzReaderFuzz.cpp LIBS tarvel_graphics)
