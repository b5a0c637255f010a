# Tests of orvella-cli and the replay of the fuzz corpus and crash files.
if(TARGET orvella_cli)
  file(GLOB CLI_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/cli/*.cpp)
  add_executable(cli_tests ${CLI_TEST_SOURCES})
  set_target_properties(cli_tests PROPERTIES AUTOMOC OFF AUTORCC OFF)
  target_link_libraries(cli_tests PRIVATE orvella_cli GTest::gtest GTest::gtest_main)
  target_include_directories(cli_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_definitions(cli_tests PRIVATE ORVELLA_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data")
  gtest_discover_tests(cli_tests PROPERTIES LABELS cli ENVIRONMENT "${ORVELLA_TEST_ENV}" DISCOVERY_TIMEOUT 60)

  # The real program: show --json, write that back, show again.
  add_test(NAME cli_program_round_trip
    COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:orvella-cli> -DSEEDS=${CMAKE_SOURCE_DIR}/fuzz/corpus
      -DWORK=${ORVELLA_TEST_HOME}/tmp/cli-round-trip -P ${CMAKE_CURRENT_SOURCE_DIR}/cli/round_trip.cmake)
  set_tests_properties(cli_program_round_trip PROPERTIES LABELS cli ENVIRONMENT "${ORVELLA_TEST_ENV}")

  # iCalendar export read back by a real parser (python3-icalendar, Debian's python first,
  # since another python3 on the PATH lacks Debian's modules); skipped without one.
  find_program(ORVELLA_SYSTEM_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
  find_program(ORVELLA_SYSTEM_PYTHON NAMES python3)
  if(ORVELLA_SYSTEM_PYTHON)
    add_test(NAME cli_export_ics_parsed
      COMMAND ${ORVELLA_SYSTEM_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/cli/check_export_ics.py $<TARGET_FILE:orvella-cli>
        ${CMAKE_SOURCE_DIR}/fuzz/corpus/settings/full.ore ${ORVELLA_TEST_HOME}/tmp/cli-export-ics)
    set_tests_properties(cli_export_ics_parsed PROPERTIES LABELS cli ENVIRONMENT "${ORVELLA_TEST_ENV}"
      SKIP_RETURN_CODE 77)
  endif()
endif()

set(FUZZ_DIR ${CMAKE_SOURCE_DIR}/fuzz)
add_executable(fuzz_replay ${FUZZ_DIR}/replay.cpp ${FUZZ_DIR}/FuzzTargets.cpp)
set_target_properties(fuzz_replay PROPERTIES AUTOMOC OFF AUTORCC OFF)
target_link_libraries(fuzz_replay PRIVATE orvella_core)
target_include_directories(fuzz_replay PRIVATE ${FUZZ_DIR})
foreach(reader schedule week settings ical)
  add_test(NAME fuzz_replay_${reader}
    COMMAND fuzz_replay ${reader} ${FUZZ_DIR}/corpus/${reader} ${FUZZ_DIR}/crashes/${reader})
  set_tests_properties(fuzz_replay_${reader} PROPERTIES LABELS "core;fuzz" TIMEOUT 300)
endforeach()

# --- Desktop integration files: validators when installed, MIME magic, install tree ----
set(PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging/linux)
set(PACKAGING_CHECK ${CMAKE_CURRENT_SOURCE_DIR}/packaging/check_packaging.sh)
add_test(NAME packaging_desktop_entry COMMAND bash ${PACKAGING_CHECK} desktop ${PACKAGING_DIR})
add_test(NAME packaging_metainfo COMMAND bash ${PACKAGING_CHECK} metainfo ${PACKAGING_DIR})
add_test(NAME packaging_mime_types COMMAND bash ${PACKAGING_CHECK} mime ${PACKAGING_DIR} ${CMAKE_SOURCE_DIR}/fuzz/corpus)
add_test(NAME packaging_install_tree
  COMMAND bash ${PACKAGING_CHECK} install ${PACKAGING_DIR} ${CMAKE_BINARY_DIR} ${ORVELLA_TEST_HOME}/tmp/install-tree)
set_tests_properties(packaging_desktop_entry packaging_metainfo packaging_mime_types packaging_install_tree
  PROPERTIES LABELS packaging SKIP_RETURN_CODE 77 ENVIRONMENT "${ORVELLA_TEST_ENV}" TIMEOUT 120)

# The end-signal test runs the planner itself.
if(TARGET tst_end_signals AND TARGET orvella)
  target_compile_definitions(tst_end_signals PRIVATE ORVELLA_PROGRAM="$<TARGET_FILE:orvella>")
  add_dependencies(tst_end_signals orvella)
endif()
