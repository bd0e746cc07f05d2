tarvel_add_fuzz_target(wave_file SOURCES ${CMAKE_CURRENT_LIST_DIR}/WaveFileFuzz.cpp LIBS consort_mixer)
