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

# Programs that carry version resources for the version tests:
# name, file version, product version, flags, os, type, subtype, language.
function(kstl8_version_fixture name fv pv flags fos ftype fsub lang langtext)
  add_executable(${name} tests/fixtures/version/stub.c tests/fixtures/version/version.rc)
  string(REPLACE "," ";" fvl "${fv}")
  string(REPLACE "," ";" pvl "${pv}")
  list(GET fvl 0 FV1)
  list(GET fvl 1 FV2)
  list(GET fvl 2 FV3)
  list(GET fvl 3 FV4)
  list(GET pvl 0 PV1)
  list(GET pvl 1 PV2)
  list(GET pvl 2 PV3)
  list(GET pvl 3 PV4)
  target_compile_definitions(${name} PRIVATE FV1=${FV1} FV2=${FV2} FV3=${FV3} FV4=${FV4}
    PV1=${PV1} PV2=${PV2} PV3=${PV3} PV4=${PV4} FLAGS=${flags} FOS=${fos} FTYPE=${ftype}
    FSUB=${fsub} LANG=${lang} LANGTEXT=${langtext})
  target_link_options(${name} PRIVATE -static)
  add_dependencies(kstl8_tests ${name})
endfunction()
kstl8_version_fixture(ver_4001 "4,0,0,1" "4,0,0,1" 0 0x40004 1 0 0x409 "040904e4")
kstl8_version_fixture(ver_4002 "4,0,0,2" "4,0,0,1" 0 0x40004 1 0 0x409 "040904e4")
kstl8_version_fixture(ver_5000de "5,0,0,0" "5,0,0,0" 0 0x40004 1 0 0x407 "040704e4")
kstl8_version_fixture(ver_newfile_oldprod "5,0,0,0" "3,0,0,0" 0 0x40004 1 0 0x409 "040904e4")
kstl8_version_fixture(ver_flags "4,0,0,3" "4,0,0,3" 3 0x40004 1 0 0x409 "040904e4")
kstl8_version_fixture(ver_os "4,0,0,3" "4,0,0,3" 0 0x4 1 0 0x409 "040904e4")
kstl8_version_fixture(ver_driver "1,2,3,4" "1,2,3,4" 0 0x40004 3 4 0x409 "040904e4")
add_executable(ver_none tests/fixtures/version/stub.c)
target_link_options(ver_none PRIVATE -static)
add_dependencies(kstl8_tests ver_none)

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

# Compressed files for the expanded-name tests, made by mscompress and gcab
# into compress/ beside the test program.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/compress/.made
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/fixtures/compress/make.sh ${CMAKE_BINARY_DIR}/compress
  DEPENDS ${CMAKE_SOURCE_DIR}/tests/fixtures/compress/make.sh)
add_custom_target(compress_fixtures DEPENDS ${CMAKE_BINARY_DIR}/compress/.made)
add_dependencies(kstl8_tests compress_fixtures)

# A small driver of the rename and restart-replacement calls for the
# scenario that restarts Wine.
add_executable(pathtool tests/fixtures/pathtool.cpp)
target_link_libraries(pathtool PRIVATE kstl8core ${KSTL8_LIBS})
target_link_options(pathtool PRIVATE -static)

# Opens the program's own dialogs one at a time for the GUI scenarios.
add_executable(dialog_host WIN32 tests/gui/dialog_host.cpp resources/setup32.rc)
target_link_libraries(dialog_host PRIVATE kstl8core ${KSTL8_LIBS})
target_link_options(dialog_host PRIVATE -static)
