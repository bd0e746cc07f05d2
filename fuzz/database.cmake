tarvel_add_fuzz_target(database SOURCES ${CMAKE_CURRENT_LIST_DIR}/DataBaseFuzz.cpp LIBS tarvel_data)
