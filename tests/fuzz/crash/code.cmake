# Code analysis: random bytes for the decoder, the function walk and the unwind tables.
brenvoll_fuzz(CodeAnalysisFuzz SOURCES code/CodeAnalysisFuzz.cpp DEPS brenvoll::crash)
# Random files for the ELF image reader of the checking tools.
brenvoll_fuzz(ElfFileImageFuzz SOURCES code/ElfFileImageFuzz.cpp DEPS brenvoll::crash)
