# dravo_add_test(<name> SOURCES <files...> [LIBS <libs...>] [GUI])
# Registers one test executable with CTest. GUI tests link Qt Test and the
# program library and run on the offscreen platform, so no display is needed.
function(dravo_add_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  if(T_GUI)
    target_link_libraries(${name} PRIVATE dravo_testsupport Qt6::Test)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;DRAVO_SOURCE_DIR=${PROJECT_SOURCE_DIR};DRAVO_BINARY_DIR=${PROJECT_BINARY_DIR}"
    TIMEOUT 300)
endfunction()
