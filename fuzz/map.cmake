tarvel_add_fuzz_target(map SOURCES ${CMAKE_CURRENT_LIST_DIR}/MapFuzz.cpp LIBS tarvel_data)
