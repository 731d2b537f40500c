# Windows build with MinGW-w64: the program itself, or (VELO_WINE_TESTS) the
# test executables that run under Wine.
add_compile_definitions(WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_IE=0x0400
                        STRICT)
add_compile_options(-Wall -Wextra)
# The 64-bit twins hold pointers in 64 bits: a pointer squeezed into a
# 32-bit integer and back is an error there, not a warning.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  add_compile_options(-Werror=int-to-pointer-cast)
endif()
add_link_options(-static -static-libgcc -static-libstdc++)
# Each function and datum in a section of its own, so that the linker leaves
# out what nothing refers to.
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(-Wl,--gc-sections)

set(VELO_WIN_LIBS comctl32 version ole32 oleaut32 uuid)

add_library(velocine_win STATIC ${VELO_WIN_SOURCES})
target_include_directories(velocine_win PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(velocine_win PUBLIC velocine_core ${VELO_WIN_LIBS})

# The main resource script includes the others: a change to any of them
# (or to what they name) must rebuild it.
file(GLOB_RECURSE VELO_RESOURCE_INPUTS CONFIGURE_DEPENDS res/*.rc res/*.h
     res/*.bmp res/*.ico)
set_source_files_properties(res/Velocine.rc PROPERTIES
                            OBJECT_DEPENDS "${VELO_RESOURCE_INPUTS}")

option(VELO_WINE_TESTS "Build the test executables that run under Wine" OFF)

if(NOT VELO_WINE_TESTS)
  enable_language(RC)
  add_executable(Velocine WIN32 app/WinMain_win.cpp
                          framework/LibraryFailures_win.cpp res/Velocine.rc)
  target_link_libraries(Velocine velocine_win)
  target_link_options(Velocine PRIVATE -s)
  # The program throws nothing of its own, and the library's failures end it
  # where they happen (framework/LibraryFailures_win.cpp) with the report
  # the message boundary gives: without exceptions there are no unwinding
  # tables, no clean-up paths, no runtime to throw and catch and no
  # terminate handler, which were nearly half of the program. Nor type
  # information, which only catching used; and no guards around local
  # statics, which only threads need.
  foreach(target velocine_core velocine_win Velocine)
    target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti
      -fno-threadsafe-statics -fno-asynchronous-unwind-tables)
  endforeach()
  include(cmake/installer.cmake)

  # The start-up benchmark and the two floors it compares with: the bare
  # dialog, and a program that loads what Velocine must load and shows the
  # window it shows.
  add_executable(MinimalDialog WIN32 bench/floor/MinimalDialog_win.cpp
                               bench/floor/MinimalDialog.rc)
  target_link_options(MinimalDialog PRIVATE -s)
  add_executable(LoadedDialog WIN32 bench/floor/LoadedDialog_win.cpp
                              bench/floor/LoadedDialog.rc)
  set_source_files_properties(bench/floor/LoadedDialog.rc PROPERTIES
                              OBJECT_DEPENDS "${VELO_RESOURCE_INPUTS}")
  target_include_directories(LoadedDialog PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(LoadedDialog ${VELO_WIN_LIBS} advapi32)
  target_link_options(LoadedDialog PRIVATE -s)
  add_executable(startup_bench bench/startup_bench_win.cpp
                               tests/wine/ChildProcess.cpp)
  target_include_directories(startup_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(startup_bench psapi)
  return()
endif()

enable_language(RC)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest
                 EXCLUDE_FROM_ALL)

file(GLOB wine_tests CONFIGURE_DEPENDS tests/wine/*.cpp)
# The stand-in's log lines are written and read with the same formatting.
add_executable(wine_tests ${wine_tests} ${VELO_CONTRACT_TESTS}
                          ${VELO_TEST_SUPPORT} tests/skinstandin/CallLog.cpp
                          res/Velocine.rc)
target_include_directories(wine_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(wine_tests velocine_win gtest gtest_main)

# The setup program's tests, run in fresh prefixes of their own.
file(GLOB setup_tests CONFIGURE_DEPENDS tests/setup/*.cpp)
add_executable(setup_tests ${setup_tests} tests/wine/ProgramRun.cpp
                           tests/wine/ChildProcess.cpp
                           tests/wine/ModalDriver.cpp tests/wine/Screenshot.cpp
                           tests/wine/OutsideWizard.cpp)
target_include_directories(setup_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests
                                               ${CMAKE_SOURCE_DIR}/tests/wine)
target_link_libraries(setup_tests velocine_win gtest gtest_main)

# Benchmarks that also measure the real registry under Wine.
file(GLOB bench_sources CONFIGURE_DEPENDS bench/*_bench.cpp)
foreach(bench ${bench_sources})
  get_filename_component(name ${bench} NAME_WE)
  add_executable(${name} ${bench} ${VELO_TEST_SUPPORT})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} velocine_win)
endforeach()
# What each step of the program's start-up costs, under Wine.
add_executable(startup_steps_bench bench/startup_steps_bench_win.cpp
                                   tests/wine/SourceTree.cpp res/Velocine.rc)
target_include_directories(startup_steps_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(startup_steps_bench velocine_win)

# A stand-in for the outside skin component: an in-process COM server that
# logs every call it gets, so the Wine tests can check what the real program
# asks of the component. The program under test loads it, so like
# everything here it is linked statically and needs no MinGW DLLs.
file(GLOB skin_stand_in CONFIGURE_DEPENDS tests/skinstandin/*.cpp)
add_library(SkinStandIn SHARED ${skin_stand_in}
                               tests/skinstandin/SkinStandIn.def)
set_target_properties(SkinStandIn PROPERTIES PREFIX "" OUTPUT_NAME SkinStandIn)
target_include_directories(SkinStandIn PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(SkinStandIn ole32 oleaut32 uuid)
