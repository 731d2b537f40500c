# Native Linux build: the portable code and its tests, with sanitizers.
option(VELO_SANITIZE "Build with AddressSanitizer and UBSan" ON)
if(VELO_SANITIZE)
  set(velo_sanitizers -fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_compile_options(${velo_sanitizers})
  add_link_options(-fsanitize=address,undefined)
  # velocine_core is defined before this file is read, so the options above
  # do not reach the program's own code: it needs them as much as the tests.
  target_compile_options(velocine_core PRIVATE ${velo_sanitizers})
endif()
target_compile_options(velocine_core PRIVATE -Wall -Wextra)

find_package(GTest REQUIRED)
enable_testing()

file(GLOB unit_tests CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${unit_tests} ${VELO_CONTRACT_TESTS}
                          ${VELO_TEST_SUPPORT})
target_include_directories(unit_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(unit_tests velocine_core GTest::gtest GTest::gtest_main)
add_test(NAME unit_tests COMMAND unit_tests
         --gtest_output=xml:${VELO_RESULTS_DIR}/native-unit.xml)

# The page of the registry values, made from the location tables.
add_executable(registry_values_page app/RegistryValuesPageMain.cpp)
target_link_libraries(registry_values_page velocine_core)

file(GLOB bench_sources CONFIGURE_DEPENDS bench/*_bench.cpp)
foreach(bench ${bench_sources})
  get_filename_component(name ${bench} NAME_WE)
  add_executable(${name} ${bench} ${VELO_TEST_SUPPORT})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} velocine_core)
endforeach()

# Fuzz targets (fuzz/): the unit tests replay their seed corpus; with
# VELO_FUZZ (clang and libFuzzer, scripts/fuzz.sh) each becomes a fuzzer.
file(GLOB fuzz_targets CONFIGURE_DEPENDS fuzz/*Fuzz.cpp)
set(fuzz_sources ${fuzz_targets} fuzz/FuzzTargets.cpp)
target_sources(unit_tests PRIVATE ${fuzz_sources})
option(VELO_FUZZ "Build the fuzz targets with libFuzzer (clang)" OFF)
if(VELO_FUZZ)
  # The coverage that guides the fuzzers comes from the program's own code.
  target_compile_options(velocine_core PRIVATE -fsanitize=fuzzer-no-link)
  foreach(name language_file number_text flag_header user_machine regedit_file)
    add_executable(fuzz_${name} fuzz/FuzzerMain.cpp ${fuzz_sources}
                                ${VELO_TEST_SUPPORT})
    target_compile_definitions(fuzz_${name} PRIVATE
                               VELO_FUZZ_TARGET="${name}")
    target_include_directories(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(fuzz_${name} velocine_core)
  endforeach()
endif()

# The line lab's programs (tests/linelab/): a slow line between network
# namespaces, and what measures it.
add_executable(line_wire tests/linelab/LineWire.cpp)
add_executable(line_transfer tests/linelab/LineTransfer.cpp)
add_executable(line_echo tests/linelab/LineEcho.cpp)
# The receive windows the line bench compares (bench/line-windows.sh).
add_executable(line_windows bench/LineWindows.cpp)
target_link_libraries(line_windows velocine_core)
