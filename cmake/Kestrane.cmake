# Project-wide compiler settings and small helpers shared by every folder.

add_compile_options(-Wall -Wextra -Wpedantic)
if(KESTRANE_WERROR)
  add_compile_options(-Werror)
endif()

if(KESTRANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Adds every immediate sub-folder that has a CMakeLists.txt, so a new component
# only needs its own folder.
function(kestrane_add_subdirectories)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# kestrane_test(NAME name SOURCES ... LIBS ...): one GoogleTest program, its cases registered with CTest.
function(kestrane_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "KESTRANE_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
