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

// Decodes every code section linearly with decode(bytes, size, address), which returns
// the instruction's length or 0 for an invalid one (then one byte is skipped).
template <typename Decode>
void Sweep(benchmark::State& state, Decode decode) {
  const CodeBytes& code = Program();
  size_t count = 0;
  for (auto _ : state) {
    count = 0;
    for (const auto& [address, bytes] : code.sections) {
      for (size_t at = 0; at < bytes.size(); ++count) {
        const size_t length = decode(bytes.data() + at, bytes.size() - at, address + at);
        at += length ? length : 1;
      }
    }
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(code.total));
  state.counters["instructions"] = double(count);
  state.SetLabel(code.file);
}

void OurDecoder(benchmark::State& state) {
  Sweep(state, [](const uint8_t* bytes, size_t size, uint64_t address) -> size_t {
    const InstructionFacts f = DecodeBytes(bytes, size, address, CodeMode::Bits64);
    benchmark::DoNotOptimize(f);
    return f.valid ? size_t(f.next - f.start) : 0;
  });
}
BENCHMARK(OurDecoder);

// The same through a MemoryReader, as the analysis decodes.
void OurDecoderThroughReader(benchmark::State& state) {
  BytesReader reader;
  for (const auto& [address, bytes] : Program().sections) reader.Place(uintptr_t(address), bytes);
  Sweep(state, [&](const uint8_t*, size_t, uint64_t address) -> size_t {
    const InstructionFacts f = DecodeInstruction(address, reader, CodeMode::Bits64);
    benchmark::DoNotOptimize(f);
    return f.valid ? size_t(f.next - f.start) : 0;
  });
}
BENCHMARK(OurDecoderThroughReader);

ZydisDecoder MakeZydis() {
  ZydisDecoder decoder;
  ZydisDecoderInit(&decoder, ZYDIS_MACHINE_MODE_LONG_64, ZYDIS_STACK_WIDTH_64);
  return decoder;
}

// Zydis without operand decoding: length, category and raw fields, the nearest to our facts.
void ZydisInstruction(benchmark::State& state) {
  const ZydisDecoder decoder = MakeZydis();
  Sweep(state, [&](const uint8_t* bytes, size_t size, uint64_t) -> size_t {
    ZydisDecodedInstruction insn;
    ZydisDecoderContext context;
    const bool ok = ZYAN_SUCCESS(ZydisDecoderDecodeInstruction(&decoder, &context, bytes, size, &insn));
    benchmark::DoNotOptimize(insn);
    return ok ? insn.length : 0;
  });
}
BENCHMARK(ZydisInstruction);

// Zydis with its operands, which a target computation needs.
void ZydisWithOperands(benchmark::State& state) {
  const ZydisDecoder decoder = MakeZydis();
  Sweep(state, [&](const uint8_t* bytes, size_t size, uint64_t) -> size_t {
    ZydisDecodedInstruction insn;
    ZydisDecodedOperand operands[ZYDIS_MAX_OPERAND_COUNT];
    const bool ok = ZYAN_SUCCESS(ZydisDecoderDecodeFull(&decoder, bytes, size, &insn, operands));
    benchmark::DoNotOptimize(operands);
    return ok ? insn.length : 0;
  });
}
BENCHMARK(ZydisWithOperands);

}  // namespace
