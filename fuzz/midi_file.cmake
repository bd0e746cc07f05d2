tarvel_add_fuzz_target(midi_file SOURCES ${CMAKE_CURRENT_LIST_DIR}/MidiFileFuzz.cpp LIBS consort_mixer)
