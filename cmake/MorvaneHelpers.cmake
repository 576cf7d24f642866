# morvane_core_library(NAME DIR [DEPS lib...])
#   A static library of DIR/*.cpp that includes no Qt header. Headers are found
#   from the source root ("engine/Engine.h").
function(morvane_core_library name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  if(NOT _src)
    # A folder whose code has not come yet still gives a target to link.
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${_src})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  set_property(TARGET ${name} PROPERTY AUTOMOC OFF)
  set_property(GLOBAL APPEND PROPERTY MORVANE_CORE_LIBS ${name})
endfunction()

# morvane_gui_library(NAME DIR [DEPS lib...]): DIR/*.cpp with Qt 6 Widgets.
function(morvane_gui_library name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  if(NOT _src)
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS} Qt6::Widgets Qt6::PrintSupport)
    return()
  endif()
  add_library(${name} STATIC ${_src})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} Qt6::Widgets Qt6::PrintSupport)
  set_property(GLOBAL APPEND PROPERTY MORVANE_GUI_LIBS ${name})
endfunction()

# morvane_gtest(NAME DIR [DEPS lib...]): a GoogleTest executable of DIR/*.cpp,
# registered with CTest test by test. A parameterised case is listed by the name
# its suite's name generator gives, never by its printed parameter.
function(morvane_gtest name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  if(NOT _src)
    return()
  endif()
  add_executable(${name} ${_src})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    MORVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}" MORVANE_PROGRAM_DIR="${MORVANE_PROGRAM_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;MORVANE_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()

# morvane_qtest(DIR [DEPS lib...]): one Qt Test executable per DIR/test_*.cpp
# (each with QTEST_MAIN), driving real windows offscreen.
function(morvane_qtest dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB _tests CONFIGURE_DEPENDS ${dir}/test_*.cpp)
  file(GLOB _support CONFIGURE_DEPENDS ${dir}/support/*.cpp ${dir}/support/*.h)
  foreach(_t ${_tests})
    get_filename_component(_n ${_t} NAME_WE)
    add_executable(qt_${_n} ${_t} ${_support})
    target_link_libraries(qt_${_n} PRIVATE ${ARG_DEPS} gui Qt6::Test)
    target_include_directories(qt_${_n} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_compile_definitions(qt_${_n} PRIVATE
      MORVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}" MORVANE_PROGRAM_DIR="${MORVANE_PROGRAM_DIR}")
    add_test(NAME qt_${_n} COMMAND qt_${_n})
    set_tests_properties(qt_${_n} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
  endforeach()
endfunction()

# morvane_benchmark(NAME SOURCES... DEPS lib...): a Google Benchmark target, built
# with the tests but not run by CTest.
function(morvane_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
