# Tests of orvella-cli and the replay of the fuzz corpus and crash files.
if(TARGET orvella_cli)
  file(GLOB CLI_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/cli/*.cpp)
  add_executable(cli_tests ${CLI_TEST_SOURCES})
  set_target_properties(cli_tests PROPERTIES AUTOMOC OFF AUTORCC OFF)
  target_link_libraries(cli_tests PRIVATE orvella_cli GTest::gtest GTest::gtest_main)
  target_include_directories(cli_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  gtest_discover_tests(cli_tests PROPERTIES LABELS cli ENVIRONMENT "${ORVELLA_TEST_ENV}" DISCOVERY_TIMEOUT 60)

  # The real program: show --json, write that back, show again.
  add_test(NAME cli_program_round_trip
    COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:orvella-cli> -DSEEDS=${CMAKE_SOURCE_DIR}/fuzz/corpus
      -DWORK=${ORVELLA_TEST_HOME}/tmp/cli-round-trip -P ${CMAKE_CURRENT_SOURCE_DIR}/cli/round_trip.cmake)
  set_tests_properties(cli_program_round_trip PROPERTIES LABELS cli ENVIRONMENT "${ORVELLA_TEST_ENV}")
endif()

set(FUZZ_DIR ${CMAKE_SOURCE_DIR}/fuzz)
add_executable(fuzz_replay ${FUZZ_DIR}/replay.cpp ${FUZZ_DIR}/FuzzTargets.cpp)
set_target_properties(fuzz_replay PROPERTIES AUTOMOC OFF AUTORCC OFF)
target_link_libraries(fuzz_replay PRIVATE orvella_core)
target_include_directories(fuzz_replay PRIVATE ${FUZZ_DIR})
foreach(reader schedule week settings)
  add_test(NAME fuzz_replay_${reader}
    COMMAND fuzz_replay ${reader} ${FUZZ_DIR}/corpus/${reader} ${FUZZ_DIR}/crashes/${reader})
  set_tests_properties(fuzz_replay_${reader} PROPERTIES LABELS "core;fuzz" TIMEOUT 300)
endforeach()
