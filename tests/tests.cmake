# Unit tests (GoogleTest under wine64), scenarios with the real program,
# the dialog robot and the robustness run.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

file(GLOB KSTL8_UNIT_SOURCES ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(kstl8_tests ${KSTL8_UNIT_SOURCES} resources/setup32.rc)
target_compile_options(kstl8_tests PRIVATE -Wall -Wextra)
target_link_libraries(kstl8_tests PRIVATE kstl8core gtest gtest_main ${KSTL8_LIBS})
target_link_options(kstl8_tests PRIVATE -static)
gtest_add_tests(TARGET kstl8_tests SOURCES ${KSTL8_UNIT_SOURCES})

add_executable(robot tests/robot/robot.cpp)
target_link_libraries(robot PRIVATE user32 gdi32)
target_link_options(robot PRIVATE -static)

# The robot's own test drives a small target program.
add_executable(robot_target tests/robot/selftest/target.cpp)
set_target_properties(robot_target PROPERTIES OUTPUT_NAME target)
target_link_libraries(robot_target PRIVATE user32 gdi32)
target_link_options(robot_target PRIVATE -static)
add_test(NAME robot.selftest
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/robot/selftest/run.sh
                 $<TARGET_FILE:robot> $<TARGET_FILE:robot_target>)
set_tests_properties(robot.selftest PROPERTIES TIMEOUT 180 RESOURCE_LOCK prefix)

# Small Win32 helpers that scenarios run beside the program.
file(GLOB KSTL8_HELPER_SOURCES ${CMAKE_SOURCE_DIR}/tests/helpers/*.cpp)
foreach(src ${KSTL8_HELPER_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE user32 gdi32)
  target_link_options(${name} PRIVATE -static)
endforeach()

# One ctest per scenario folder.
file(GLOB KSTL8_SCENARIOS LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/scenarios/*)
foreach(dir ${KSTL8_SCENARIOS})
  if(IS_DIRECTORY ${dir})
    get_filename_component(name ${dir} NAME)
    add_test(NAME scenario.${name}
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/run_scenario.sh ${dir} ${CMAKE_BINARY_DIR})
    set(limit 120)
    if(name STREQUAL "robustness")
      set(limit 600)
    endif()
    set_tests_properties(scenario.${name} PROPERTIES TIMEOUT ${limit} RESOURCE_LOCK prefix)
  endif()
endforeach()
