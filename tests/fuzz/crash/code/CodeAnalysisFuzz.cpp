// Random bytes for the decoder and the function analysis: the first byte chooses the mode
// and where the unwind index lies, the rest is the code, placed at a fixed address.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "crash/code/FunctionAnalysis.h"

namespace {

constexpr uint64_t kBase = 0x10000;

class FuzzEnvironment : public CodeEnvironment {
public:
  FuzzEnvironment(uint64_t end, uint64_t unwindIndex) : end_(end), unwindIndex_(unwindIndex) {}
  bool ModuleCodeRange(uint64_t, uint64_t& start, uint64_t& end) const override {
    start = kBase, end = end_;
    return true;
  }
  uint64_t UnwindIndex(uint64_t) const override { return unwindIndex_; }
  std::string FunctionNameAt(uint64_t address) const override {
    return address % 7 == 0 ? "abort" : std::string();
  }

private:
  uint64_t end_, unwindIndex_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const CodeMode mode = data[0] & 1 ? CodeMode::Bits32 : CodeMode::Bits64;
  const uint64_t unwindIndex = data[0] & 2 ? kBase + (data[0] >> 2) % (size - 1) : 0;
  BytesReader reader;
  reader.Place(kBase, std::vector<uint8_t>(data + 1, data + size));
  for (uint64_t at = kBase; at < kBase + size - 1;) {
    const InstructionFacts f = DecodeInstruction(at, reader, mode);
    at = f.valid ? f.next : at + 1;
  }
  FuzzEnvironment environment(kBase + size - 1, unwindIndex);
  const TFunctionInfo info = AnalyzeFunction(kBase, reader, mode, environment);
  (void)info;
  return 0;
}
