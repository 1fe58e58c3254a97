# Each source folder is one static library built from every .cpp below it, so
# adding a file needs no edit here. Dependencies are listed per library.
function(halvorin_library name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.h)
  list(FILTER srcs EXCLUDE REGEX "/main\\.cpp$")
  set(cpp ${srcs})
  list(FILTER cpp INCLUDE REGEX "\\.cpp$")
  if(NOT cpp)
    set(stub ${CMAKE_CURRENT_BINARY_DIR}/${name}_stub.cpp)
    file(WRITE ${stub} "// no sources yet\n")
    list(APPEND srcs ${stub})
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
endfunction()

# One test binary per test folder, every *Test.cpp in it, discovered by CTest.
function(halvorin_test_folder name dir)
  cmake_parse_arguments(ARG "" "" "MAIN;DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*Test.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs} ${ARG_MAIN})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} halvorin_test_support GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    HALVORIN_FIXTURES="${PROJECT_SOURCE_DIR}/tests/fixtures"
    HALVORIN_BINARY_DIR="${PROJECT_BINARY_DIR}")
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS ${dir} ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
