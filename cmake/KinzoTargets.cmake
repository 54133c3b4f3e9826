# Helpers shared by every folder's CMakeLists.

# kinzo_program(<target> <program dir> SOURCES ... LIBS ...)
# A program of the suite: written into its own folder of the output tree and
# installed to the same relative place, finding libVoice through ../lib.
function(kinzo_program target dir)
  cmake_parse_arguments(P "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${P_SOURCES})
  target_link_libraries(${target} PRIVATE ${P_LIBS})
  file(RELATIVE_PATH sub ${KINZO_OUT_DIR} ${dir})
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${dir}
    BUILD_RPATH "\$ORIGIN/../lib"
    INSTALL_RPATH "\$ORIGIN/../lib")
  install(TARGETS ${target} RUNTIME DESTINATION ${sub})
endfunction()

# kinzo_program_file(<target> <program dir> <source file> [<name in program dir>])
# Copies a shipped data file next to a program at build time and installs it.
# Building the program (or everything) makes the copy.
function(kinzo_program_file target dir source)
  get_filename_component(name ${source} NAME)
  if(ARGC GREATER 3)
    set(name ${ARGV3})
  endif()
  file(RELATIVE_PATH sub ${KINZO_OUT_DIR} ${dir})
  add_custom_command(OUTPUT ${dir}/${name}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${dir}/${name}
    DEPENDS ${source} VERBATIM)
  # A target of its own, so that the copy is made whichever folder calls this
  # (a generated source of another folder's target is never built there).
  string(MAKE_C_IDENTIFIER "${target}_file_${name}" copy_target)
  add_custom_target(${copy_target} ALL DEPENDS ${dir}/${name})
  add_dependencies(${target} ${copy_target})
  install(FILES ${dir}/${name} DESTINATION ${sub})
endfunction()

# The days the tests that work with today's date run on once more, under
# faketime: a new year's day, a Sunday and a leap day. Each test of
# KINZO_DATED_TESTS gets a test "<name>@<day>" per day.
set(KINZO_TEST_DAYS 2027-01-01 2027-01-03 2028-02-29)
set(KINZO_DATED_TESTS
  test_kinzo_startup test_main_frame test_kinzo_doc test_day_view test_kinzo_dialog test_entry_list
  test_search_dialog test_account_settings test_payment_dialogs test_loan_dialogs test_ko_input_controls
  test_end_to_end test_ledger_views test_print_reports test_first_start)
find_program(KINZO_FAKETIME faketime)
if(NOT KINZO_FAKETIME)
  message(STATUS "faketime not found: the tests run on today's date only (tools/install-dependencies.sh)")
endif()

# kinzo_test(<name> SOURCES ... LIBS ... [DIR <runtime dir>] [ENV var=value ...])
# One QtTest executable, one CTest test, run headless.
function(kinzo_test name)
  cmake_parse_arguments(T "" "DIR" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
  if(NOT T_DIR)
    set(T_DIR ${CMAKE_BINARY_DIR}/tests)
  endif()
  set_target_properties(${name} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${T_DIR}
    BUILD_RPATH "${KINZO_LIB_DIR}")
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${T_DIR})
  set(runs ${name})
  if(KINZO_FAKETIME AND name IN_LIST KINZO_DATED_TESTS)
    foreach(day ${KINZO_TEST_DAYS})
      add_test(NAME ${name}@${day} COMMAND ${KINZO_FAKETIME} "${day} 10:00:00" $<TARGET_FILE:${name}>
               WORKING_DIRECTORY ${T_DIR})
      list(APPEND runs ${name}@${day})
    endforeach()
  endif()
  foreach(run ${runs})
    # A runtime folder of its own: no test can reach, end or signal a program
    # that it did not start (single-instance locks, the notification event).
    set(runtime ${CMAKE_BINARY_DIR}/runtime/${run})
    file(MAKE_DIRECTORY ${runtime})
    file(CHMOD ${runtime} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
    set_tests_properties(${run} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${runtime};${T_ENV}" TIMEOUT 300)
  endforeach()
endfunction()
