# Code analysis: random bytes for the decoder, the function walk and the unwind tables.
brenvoll_fuzz(CodeAnalysisFuzz SOURCES code/CodeAnalysisFuzz.cpp DEPS brenvoll::crash)
