# Tests, fuzz targets and benchmarks.
#
# norvale_test(NAME LABEL label SOURCES ... [PORTABLE | WINDOWS] [AUDIO] [LIBS ...] [TIMEOUT seconds]
#              [ENVIRONMENT VAR=value ...])
#   One test executable, registered as one ctest test named LABEL.NAME and labelled LABEL (the subsystem folder).
#   PORTABLE tests use only the core: they run natively (under ASan/UBSan) and under Wine with the same
#   expectations. WINDOWS tests use the Windows layer and run under Wine only. AUDIO tests play through the
#   environment's single null sink and record it, so they never run at the same time as each other.
#   Under Wine the system is English (code page 1252) unless ENVIRONMENT sets NV_WINE_LOCALE (say ru_RU.UTF-8).
#
# norvale_fuzzer(NAME LABEL label SOURCES ... [SEEDS dir ...])
#   A libFuzzer target in the fuzz preset; in the native preset the same entry point replays its seeds as a test.
#
# norvale_benchmark(NAME SOURCES ... [LIBS ...])
#   A benchmark program bench_NAME in the bench preset, run by `tools/bench NAME`.
#
# norvale_wine_benchmark(NAME SOURCES ... [LIBS ...])
#   A measurement that needs Windows and the Wine test environment (what the null sink hears): bench_NAME in the
#   win64 preset, with the Windows test support; `tools/bench NAME` runs it inside the environment.

set(NORVALE_TEST_DATA_DIR ${PROJECT_SOURCE_DIR}/tests/data)

function(norvale_test name)
  cmake_parse_arguments(arg "PORTABLE;WINDOWS;AUDIO" "LABEL;TIMEOUT" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  if(NOT arg_LABEL)
    message(FATAL_ERROR "norvale_test(${name}): LABEL is required")
  endif()
  if(NOT NORVALE_TESTS OR (arg_WINDOWS AND NOT WIN32))
    return()
  endif()
  set(target test_${arg_LABEL}_${name})
  add_executable(${target} ${arg_SOURCES})
  if(WIN32)
    target_link_libraries(${target} PRIVATE norvale_test_support_win)
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common/win/TestProcessEnd.cpp)
    norvale_test_pch(${target})
  else()
    target_link_libraries(${target} PRIVATE norvale_test_support)
  endif()
  target_link_libraries(${target} PRIVATE ${arg_LIBS} GTest::gmock GTest::gtest_main)

  if(NOT NORVALE_RUN_TESTS)
    return()
  endif()
  add_test(NAME ${arg_LABEL}.${name} COMMAND ${target})
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 180)
  endif()
  set_tests_properties(${arg_LABEL}.${name} PROPERTIES LABELS ${arg_LABEL} TIMEOUT ${arg_TIMEOUT})
  if(WIN32)
    set_tests_properties(${arg_LABEL}.${name} PROPERTIES FIXTURES_REQUIRED wine_env)
  endif()
  if(arg_ENVIRONMENT)
    set_tests_properties(${arg_LABEL}.${name} PROPERTIES ENVIRONMENT "${arg_ENVIRONMENT}")
  endif()
  if(arg_AUDIO)
    set_tests_properties(${arg_LABEL}.${name} PROPERTIES RESOURCE_LOCK audio_sink)
  endif()
endfunction()

function(norvale_fuzzer name)
  cmake_parse_arguments(arg "" "LABEL" "SOURCES;SEEDS;LIBS" ${ARGN})
  if(NORVALE_FUZZ)
    add_executable(fuzz_${name} ${arg_SOURCES})
    target_link_libraries(fuzz_${name} PRIVATE norvale_core ${arg_LIBS})
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    set_target_properties(fuzz_${name} PROPERTIES NORVALE_FUZZ_SEEDS "${arg_SEEDS}")
  elseif(NORVALE_TESTS AND NOT WIN32)
    set(target test_${arg_LABEL}_fuzz_${name}_seeds)
    add_executable(${target} ${arg_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/SeedReplay.cpp)
    target_link_libraries(${target} PRIVATE norvale_core ${arg_LIBS})
    add_test(NAME ${arg_LABEL}.fuzz_${name}_seeds COMMAND ${target} ${arg_SEEDS})
    set_tests_properties(${arg_LABEL}.fuzz_${name}_seeds PROPERTIES LABELS ${arg_LABEL} TIMEOUT 300)
  endif()
  # The fuzz preset's runner finds the seeds here.
  if(NORVALE_FUZZ)
    file(APPEND ${PROJECT_BINARY_DIR}/fuzz-targets.txt "${name}\t${arg_SEEDS}\n")
  endif()
endfunction()

function(norvale_benchmark name)
  cmake_parse_arguments(arg "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT NORVALE_BENCH)
    return()
  endif()
  add_executable(bench_${name} ${arg_SOURCES})
  target_link_libraries(bench_${name} PRIVATE norvale_core ${arg_LIBS})
endfunction()

function(norvale_wine_benchmark name)
  cmake_parse_arguments(arg "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT WIN32 OR NOT NORVALE_TESTS)
    return()
  endif()
  add_executable(bench_${name} ${arg_SOURCES})
  target_link_libraries(bench_${name} PRIVATE norvale_test_support_win ${arg_LIBS})
endfunction()
