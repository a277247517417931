# Every library is made of the .cpp files of one folder (not recursive), so adding a
# file needs no edit here. Re-run cmake, or rely on CONFIGURE_DEPENDS.
function(tk_library name dir)
  cmake_parse_arguments(ARG "" "" "LINK" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.qrc)
  file(GLOB headers CONFIGURE_DEPENDS ${dir}/*.h)
  if(sources)
    add_library(${name} STATIC ${sources} ${headers})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LINK})
  else()
    # A subsystem that has no code yet.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_LINK})
  endif()
endfunction()

# One test executable per tests/<folder>/*_test.cpp, each registered with CTest under
# <folder>.<file>. Tests run on Qt's offscreen platform with a private home and config folder.
function(tk_tests dir)
  cmake_parse_arguments(ARG "" "" "LINK" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${dir}/*_test.cpp)
  string(REPLACE "/" "_" prefix ${dir})
  foreach(src ${tests})
    get_filename_component(base ${src} NAME_WE)
    set(target test_${prefix}_${base})
    add_executable(${target} ${src})
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${target} PRIVATE tk_testsupport ${ARG_LINK})
    add_test(NAME ${dir}.${base} COMMAND ${target})
    set_tests_properties(${dir}.${base} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1;TK_SOURCE_DIR=${PROJECT_SOURCE_DIR};TK_PROGRAM_DIR=${TK_PROGRAM_DIR};TK_TEST_TMP=${CMAKE_BINARY_DIR}/testtmp"
      TIMEOUT 300)
  endforeach()
endfunction()
