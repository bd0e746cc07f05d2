tarvel_add_fuzz_target(database_events SOURCES ${CMAKE_CURRENT_LIST_DIR}/EventListFuzz.cpp LIBS tarvel_data)
