# Runs one fuzz target for SECONDS seconds over a fresh copy of its seeds.
# A crash, leak or sanitizer report fails the test; the input that caused it
# is left beside the corpus as crash-*/leak-*/timeout-* for a regression test.
file(REMOVE_RECURSE ${CORPUS})
file(MAKE_DIRECTORY ${CORPUS})
file(GLOB seeds ${SEEDS}/*)
file(COPY ${seeds} DESTINATION ${CORPUS})
get_filename_component(artifacts ${CORPUS} DIRECTORY)
execute_process(
    COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
            -artifact_prefix=${artifacts}/ ${CORPUS}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${FUZZER} found a failing input (exit ${result}); see the artifact above")
endif()
