# Code analysis: decoding a whole program against Zydis (benchmark only).
brenvoll_bench(CodeDecodeBench SOURCES code/DecodeBench.cpp DEPS brenvoll::crash Zydis)
if(TARGET CodeDecodeBench)
  target_compile_definitions(CodeDecodeBench PRIVATE BRENVOLL_BENCH_PROGRAM="${BRENVOLL_APP_DIR}/BrenvollAdmin")
endif()
