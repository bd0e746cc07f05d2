tarvel_add_fuzz_target(maptree SOURCES ${CMAKE_CURRENT_LIST_DIR}/MapTreeFuzz.cpp LIBS tarvel_data)
