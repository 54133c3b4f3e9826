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
  # A runtime folder of its own: no test can reach, end or signal a program
  # that it did not start (single-instance locks, the notification event).
  set(runtime ${CMAKE_BINARY_DIR}/runtime/${name})
  file(MAKE_DIRECTORY ${runtime})
  file(CHMOD ${runtime} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${runtime};${T_ENV}" TIMEOUT 300)
endfunction()
