tarvel_add_fuzz_target(unlha_command SOURCES ${CMAKE_CURRENT_LIST_DIR}/UnlhaCommandFuzz.cpp LIBS unlha_codec)
