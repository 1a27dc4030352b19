# Native-only checks of the portable code: a libFuzzer run of the library reader (with Clang)
# and the codec benchmark (with Google Benchmark, not run by CTest).

set(KESTRINE_PORTABLE_SOURCES
    ${PROJECT_SOURCE_DIR}/framework/Archive.cpp
    ${PROJECT_SOURCE_DIR}/library/GameSetLibrary.cpp
    ${PROJECT_SOURCE_DIR}/library/ShipData.cpp
    ${PROJECT_SOURCE_DIR}/script/Slots.cpp)

if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    set(KESTRINE_FUZZ_SECONDS 60 CACHE STRING "How long CTest fuzzes the library reader")
    add_executable(fuzz_library_stream fuzz/library_stream_fuzz.cpp ${KESTRINE_PORTABLE_SOURCES})
    target_include_directories(fuzz_library_stream PRIVATE ${PROJECT_SOURCE_DIR})
    target_compile_options(fuzz_library_stream PRIVATE ${KESTRINE_WARNINGS}
                           -fsanitize=fuzzer,address,undefined)
    target_link_options(fuzz_library_stream PRIVATE -fsanitize=fuzzer,address,undefined)
    # New inputs go to a corpus in the build tree; the committed seeds stay as they are.
    set(corpus ${CMAKE_CURRENT_BINARY_DIR}/fuzz-corpus)
    file(MAKE_DIRECTORY ${corpus})
    add_test(NAME fuzz_library_stream
             COMMAND fuzz_library_stream -max_total_time=${KESTRINE_FUZZ_SECONDS}
                     -malloc_limit_mb=64 -rss_limit_mb=1024 -print_final_stats=1
                     ${corpus} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/seeds)
    set_tests_properties(fuzz_library_stream PROPERTIES TIMEOUT 600)
endif()

find_package(benchmark QUIET)
if(benchmark_FOUND)
    add_executable(bench_library ${PROJECT_SOURCE_DIR}/bench/library_benchmark.cpp)
    target_link_libraries(bench_library PRIVATE kestrine_portable benchmark::benchmark)
    target_compile_options(bench_library PRIVATE ${KESTRINE_WARNINGS})
endif()
