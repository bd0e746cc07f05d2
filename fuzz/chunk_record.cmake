tarvel_add_fuzz_target(chunk_record SOURCES ${CMAKE_CURRENT_LIST_DIR}/ChunkRecordFuzz.cpp LIBS tarvel_records)
