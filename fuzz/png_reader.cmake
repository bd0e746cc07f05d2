tarvel_add_fuzz_target(png_reader SOURCES ${CMAKE_CURRENT_LIST_DIR}/PngReaderFuzz.cpp LIBS tarvel_graphics)
