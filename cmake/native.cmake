# The module's sources built for Linux, over the simulated host, helper and
# Win32 subset; the scenario runner and the tests link them.

if(STAVENOR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined,float-cast-overflow)
endif()

add_library(stavenor_module STATIC ${STAVENOR_MODULE_SOURCES})
target_include_directories(stavenor_module PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(stavenor_module PRIVATE ${STAVENOR_MODULE_WARNINGS})

# The simulated host runs the module's dialogs from the module's own
# resource script, compiled in as text.
set(STAVENOR_DIALOG_RC ${CMAKE_SOURCE_DIR}/src/dialogs/dialog_templates.rc)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${STAVENOR_DIALOG_RC})
file(READ ${STAVENOR_DIALOG_RC} STAVENOR_DIALOG_SCRIPT)
configure_file(${CMAKE_SOURCE_DIR}/sim/dialog_script.cpp.in ${CMAKE_BINARY_DIR}/generated/dialog_script.cpp @ONLY)

file(GLOB STAVENOR_SIM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/sim/*.cpp)
add_library(stavenor_sim STATIC ${STAVENOR_SIM_SOURCES} ${CMAKE_BINARY_DIR}/generated/dialog_script.cpp)
target_include_directories(stavenor_sim PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/src)
target_compile_options(stavenor_sim PRIVATE ${STAVENOR_WARNINGS})

find_package(nlohmann_json 3 REQUIRED)
file(GLOB STAVENOR_SCENARIO_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/scenario/*.cpp)
add_executable(stavenor-scenario ${STAVENOR_SCENARIO_SOURCES})
target_compile_options(stavenor-scenario PRIVATE ${STAVENOR_WARNINGS})
target_link_libraries(stavenor-scenario PRIVATE stavenor_module stavenor_sim nlohmann_json::nlohmann_json)

enable_testing()
include(GoogleTest)
find_package(GTest REQUIRED)
file(GLOB STAVENOR_UNIT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
if(STAVENOR_UNIT_SOURCES)
  add_executable(stavenor_unit_tests ${STAVENOR_UNIT_SOURCES})
  target_compile_options(stavenor_unit_tests PRIVATE ${STAVENOR_WARNINGS})
  target_link_libraries(stavenor_unit_tests PRIVATE stavenor_module stavenor_sim GTest::gtest GTest::gtest_main)
  # Each test runs in a process of its own, as a freshly loaded module.
  gtest_discover_tests(stavenor_unit_tests DISCOVERY_MODE PRE_TEST)
endif()

# Scenario files with their expected results beside them.
file(GLOB STAVENOR_SCENARIOS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/scenarios/*.json)
foreach(scenario ${STAVENOR_SCENARIOS})
  if(scenario MATCHES "\\.expected\\.json$")
    continue()
  endif()
  get_filename_component(name ${scenario} NAME_WE)
  string(REGEX REPLACE "\\.json$" ".expected.json" expected ${scenario})
  add_test(NAME scenario.${name}
           COMMAND stavenor-scenario --expect ${expected} ${scenario})
endforeach()

# The runner's own handling of malformed scenarios and of --expect.
find_program(PYTHON3 python3 REQUIRED)
add_test(NAME scenario.runner_checks
         COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/tests/scenarios/runner_checks.py $<TARGET_FILE:stavenor-scenario>)
