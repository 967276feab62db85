// Decoding all of a program's code: our decoder against Zydis on the same bytes. The
// program is the file named by BRENVOLL_BENCH_FILE, else BrenvollAdmin from the
// application directory, or this benchmark itself when the program has not been built.
#include <Zydis/Zydis.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "crash/code/ElfFileImage.h"
#include "crash/code/Instruction.h"

namespace {

struct CodeBytes {
  std::string file;
  std::vector<std::pair<uint64_t, std::vector<uint8_t>>> sections;
  size_t total = 0;
};

const CodeBytes& Program() {
  static const CodeBytes code = [] {
    CodeBytes c;
    const char* chosen = std::getenv("BRENVOLL_BENCH_FILE");
    c.file = chosen ? chosen : BRENVOLL_BENCH_PROGRAM;
    if (!std::filesystem::exists(c.file)) c.file = "/proc/self/exe";
    ElfFileImage image;
    std::string error;
    if (!image.Load(c.file, error)) return c;
    for (const ElfFileSection& s : image.Sections()) {
      if (!s.code || !s.size) continue;
      std::vector<uint8_t> bytes(size_t(s.size));
      if (image.Read(uintptr_t(s.address), bytes.data(), bytes.size()) != bytes.size()) continue;
      c.total += bytes.size();
      c.sections.emplace_back(s.address, std::move(bytes));
    }
    return c;
  }();
  return code;
}

void Report(benchmark::State& state, size_t instructions) {
  const CodeBytes& code = Program();
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(code.total));
  state.counters["instructions"] = double(instructions);
  state.SetLabel(code.file);
}

void OurDecoder(benchmark::State& state) {
  size_t count = 0;
  for (auto _ : state) {
    count = 0;
    for (const auto& [address, bytes] : Program().sections) {
      for (size_t at = 0; at < bytes.size();) {
        InstructionFacts f = DecodeBytes(bytes.data() + at, bytes.size() - at, address + at, CodeMode::Bits64);
        benchmark::DoNotOptimize(f);
        at += f.valid ? size_t(f.next - f.start) : 1;
        ++count;
      }
    }
  }
  Report(state, count);
}
BENCHMARK(OurDecoder);

// The same through a MemoryReader, as the analysis decodes.
void OurDecoderThroughReader(benchmark::State& state) {
  BytesReader reader;
  for (const auto& [address, bytes] : Program().sections) reader.Place(uintptr_t(address), bytes);
  size_t count = 0;
  for (auto _ : state) {
    count = 0;
    for (const auto& [address, bytes] : Program().sections) {
      for (uint64_t at = address; at < address + bytes.size();) {
        InstructionFacts f = DecodeInstruction(at, reader, CodeMode::Bits64);
        benchmark::DoNotOptimize(f);
        at = f.valid ? f.next : at + 1;
        ++count;
      }
    }
  }
  Report(state, count);
}
BENCHMARK(OurDecoderThroughReader);

// Zydis without operand decoding: length, category and raw fields, the nearest to our facts.
void ZydisInstruction(benchmark::State& state) {
  ZydisDecoder decoder;
  ZydisDecoderInit(&decoder, ZYDIS_MACHINE_MODE_LONG_64, ZYDIS_STACK_WIDTH_64);
  size_t count = 0;
  for (auto _ : state) {
    count = 0;
    for (const auto& [address, bytes] : Program().sections) {
      for (size_t at = 0; at < bytes.size();) {
        ZydisDecodedInstruction insn;
        ZydisDecoderContext context;
        const bool ok = ZYAN_SUCCESS(ZydisDecoderDecodeInstruction(&decoder, &context, bytes.data() + at,
                                                                    bytes.size() - at, &insn));
        benchmark::DoNotOptimize(insn);
        at += ok ? insn.length : 1;
        ++count;
      }
    }
  }
  Report(state, count);
}
BENCHMARK(ZydisInstruction);

// Zydis with its operands, which a target computation needs.
void ZydisWithOperands(benchmark::State& state) {
  ZydisDecoder decoder;
  ZydisDecoderInit(&decoder, ZYDIS_MACHINE_MODE_LONG_64, ZYDIS_STACK_WIDTH_64);
  size_t count = 0;
  for (auto _ : state) {
    count = 0;
    for (const auto& [address, bytes] : Program().sections) {
      for (size_t at = 0; at < bytes.size();) {
        ZydisDecodedInstruction insn;
        ZydisDecodedOperand operands[ZYDIS_MAX_OPERAND_COUNT];
        const bool ok = ZYAN_SUCCESS(ZydisDecoderDecodeFull(&decoder, bytes.data() + at, bytes.size() - at,
                                                             &insn, operands));
        benchmark::DoNotOptimize(operands);
        at += ok ? insn.length : 1;
        ++count;
      }
    }
  }
  Report(state, count);
}
BENCHMARK(ZydisWithOperands);

}  // namespace
