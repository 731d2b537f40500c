# Native Linux build: the portable code and its tests, with sanitizers.
option(VELO_SANITIZE "Build with AddressSanitizer and UBSan" ON)
if(VELO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
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

file(GLOB bench_sources CONFIGURE_DEPENDS bench/*_bench.cpp)
foreach(bench ${bench_sources})
  get_filename_component(name ${bench} NAME_WE)
  add_executable(${name} ${bench} ${VELO_TEST_SUPPORT})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} velocine_core)
endforeach()
