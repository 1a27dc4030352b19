# Native-only checks of the portable code: libFuzzer runs of the library reader and of the
# game-set text reader (with Clang), and the codec benchmark (with Google Benchmark, not run
# by CTest).

if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    set(KESTRINE_FUZZ_SECONDS 60 CACHE STRING "How long CTest fuzzes each reader")
    # kestrine_fuzz(NAME SEEDS): a libFuzzer run of NAME.cpp from the committed seeds; new
    # inputs go to a corpus in the build tree, the seeds stay as they are.
    function(kestrine_fuzz name seeds)
        add_executable(${name} fuzz/${name}.cpp)
        target_link_libraries(${name} PRIVATE kestrine_portable kestrine_warnings)
        target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
        set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
        file(MAKE_DIRECTORY ${corpus})
        add_test(NAME ${name}
                 COMMAND ${name} -max_total_time=${KESTRINE_FUZZ_SECONDS} -malloc_limit_mb=64
                         -rss_limit_mb=1024 -print_final_stats=1 ${corpus}
                         ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/${seeds})
        set_tests_properties(${name} PROPERTIES TIMEOUT 600)
    endfunction()
    kestrine_fuzz(library_stream_fuzz seeds)
    kestrine_fuzz(game_set_text_fuzz text-seeds)
endif()

find_package(benchmark QUIET)
if(benchmark_FOUND)
    add_executable(bench_library ${PROJECT_SOURCE_DIR}/bench/library_benchmark.cpp)
    target_link_libraries(bench_library PRIVATE kestrine_portable benchmark::benchmark)
    target_link_libraries(bench_library PRIVATE kestrine_warnings)
endif()
