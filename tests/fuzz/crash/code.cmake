# Code analysis: random bytes for the decoder, the function walk and the unwind tables.
brenvoll_fuzz(fuzz_code_analysis SOURCES code/CodeAnalysisFuzz.cpp DEPS brenvoll::crash)
# Random files for the ELF image reader of the checking tools.
brenvoll_fuzz(fuzz_elf_file_image SOURCES code/ElfFileImageFuzz.cpp DEPS brenvoll::crash)
