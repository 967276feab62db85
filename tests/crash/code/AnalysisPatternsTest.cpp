// The analysis on hand-assembled functions: the IA-32 patterns (jump tables, exception
// frames, import cells, jump stubs) and gcc's 64-bit switch dispatch.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "crash/code/FunctionAnalysis.h"

namespace {

// One module's code range and the names the symbol maps would give.
class FixedEnvironment : public CodeEnvironment {
public:
  FixedEnvironment(uint64_t start, uint64_t end) : start_(start), end_(end) {}
  bool ModuleCodeRange(uint64_t, uint64_t& start, uint64_t& end) const override {
    start = start_, end = end_;
    return true;
  }
  std::string FunctionNameAt(uint64_t address) const override {
    auto it = names.find(address);
    return it == names.end() ? std::string() : it->second;
  }
  std::map<uint64_t, std::string> names;

private:
  uint64_t start_, end_;
};

std::vector<uint8_t> Le32(uint32_t v) {
  return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// call rel32 from the call's own address to target.
std::vector<uint8_t> CallTo(uint32_t at, uint32_t target) { return Join({{0xE8}, Le32(target - (at + 5))}); }

bool HasCallSite(const TFunctionInfo& info, uint64_t address, uint64_t target, bool call = true) {
  return std::any_of(info.callSites.begin(), info.callSites.end(), [&](const TCallSite& s) {
    return s.address == address && s.target == target && s.call == call;
  });
}

constexpr uint32_t kCode = 0x401000, kCodeEnd = 0x480000;
constexpr uint32_t kOutside = 0x7C800000;  // another module

// cmp eax, 3; j<cc> default; jmp [eax*4+table]; table right after the jump; four cases
// that each call a routine and return.
struct JumpTableFunction {
  uint8_t condition;  // 0x77 ja, 0x73 jae, 0x7F jg
  std::vector<uint8_t> bytes;
  std::vector<uint32_t> caseCalls;  // addresses of the case calls
  uint32_t table = 0;

  explicit JumpTableFunction(uint8_t cc) : condition(cc) {
    const uint32_t table_ = kCode + 12, cases = table_ + 16, fallback = cases + 4 * 6;
    table = table_;
    bytes = Join({{0x83, 0xF8, 0x03, cc, uint8_t(fallback - (kCode + 5))},
                  {0xFF, 0x24, 0x85}, Le32(table_)});
    for (int k = 0; k < 4; ++k) bytes = Join({bytes, Le32(cases + 6 * k)});
    for (int k = 0; k < 4; ++k) {
      const uint32_t at = cases + 6 * k;
      caseCalls.push_back(at);
      bytes = Join({bytes, CallTo(at, kOutside + 0x100 * k), {0xC3}});
    }
    bytes.push_back(0xC3);  // default
  }
};

TEST(AnalyzeIa32Function, JumpTableCasesAreAreasAndTheTableIsData) {
  struct Case {
    const char* label;
    uint8_t condition;
    int reached;  // cases reached through the table
  } cases[] = {{"ja: N + 1 entries", 0x77, 4}, {"jg: N + 1 entries", 0x7F, 4},
               {"jae: N entries", 0x73, 3}, {"jne is no bound", 0x75, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    JumpTableFunction fn(c.condition);
    BytesReader reader;
    reader.Place(kCode, fn.bytes);
    FixedEnvironment env(kCode, kCodeEnd);
    const TFunctionInfo info = AnalyzeFunction(kCode, reader, CodeMode::Bits32, env);
    EXPECT_TRUE(info.valid) << c.label << ": " << info.errorText;
    int reached = 0;
    for (int k = 0; k < 4; ++k)
      reached += HasCallSite(info, fn.caseCalls[k], kOutside + 0x100 * k);
    EXPECT_EQ(reached, c.reached) << c.label;
    const bool dataArea = std::any_of(info.areas.begin(), info.areas.end(), [&](const TCodeArea& a) {
      return a.data && a.start == fn.table && a.end + 1 == fn.table + 4 * uint32_t(c.reached);
    });
    if (c.reached) {
      EXPECT_TRUE(dataArea) << c.label;
    } else {
      ASSERT_EQ(info.unresolved.size(), 1u) << c.label;
      EXPECT_FALSE(info.unresolved[0].call);
    }
  }
}

TEST(AnalyzeIa32Function, ExceptionFrameHandlerIsAnArea) {
  const uint32_t handler = kCode + 0x40;
  BytesReader reader;
  reader.Place(kCode, Join({{0x68}, Le32(handler),                       // push handler
                            {0x64, 0xFF, 0x35, 0, 0, 0, 0},               // push fs:[0]
                            {0x64, 0x89, 0x25, 0, 0, 0, 0},               // mov fs:[0], esp
                            {0xC3}}));
  reader.Place(handler, Join({CallTo(handler, kOutside), {0xC3}}));
  FixedEnvironment env(kCode, kCodeEnd);
  const TFunctionInfo info = AnalyzeFunction(kCode, reader, CodeMode::Bits32, env);
  ASSERT_TRUE(info.valid) << info.errorText;
  EXPECT_TRUE(HasCallSite(info, handler, kOutside));
  EXPECT_EQ(info.codeStart, kCode);
  EXPECT_EQ(info.codeLength, handler + 6 - kCode);
}

TEST(AnalyzeIa32Function, CallsAndJumpsOutOfTheFunction) {
  const uint32_t cell = 0x402000, stub = kCode + 0x80, named = kCode + 0x100, local = kCode + 0x40;
  // call [cell]; call stub; call $+5; jmp local
  std::vector<uint8_t> code = Join({{0xFF, 0x15}, Le32(cell), CallTo(kCode + 6, stub),
                                    {0xE8, 0, 0, 0, 0}, {0xE9}, Le32(local - (kCode + 21))});
  BytesReader reader;
  reader.Place(kCode, code);
  reader.Place(local, Join({{0x85, 0xC0, 0x0F, 0x84}, Le32(named - (local + 8)),  // test; je named
                            {0xFF, 0xD0},                                          // call eax
                            {0xE9}, Le32(kOutside - (local + 15))}));              // jmp outside
  reader.Place(stub, Join({{0xFF, 0x25}, Le32(cell)}));
  reader.Place(cell, Le32(kOutside + 0x500));
  reader.Place(named, {0xC3});
  FixedEnvironment env(kCode, kCodeEnd);
  env.names[named] = "OtherFunction";
  const TFunctionInfo info = AnalyzeFunction(kCode, reader, CodeMode::Bits32, env);
  ASSERT_TRUE(info.valid) << info.errorText;

  struct Expected {
    const char* label;
    uint64_t address, target;
    bool call;
  } sites[] = {{"through the import cell: its content", kCode, kOutside + 0x500, true},
               {"through a jump stub: the stub's target", kCode + 6, kOutside + 0x500, true},
               {"conditional jump to a named function", local + 2, named, false},
               {"jump leaving the module", local + 10, kOutside, false}};
  for (const Expected& e : sites) {
    SCOPED_TRACE(e.label);
    EXPECT_TRUE(HasCallSite(info, e.address, e.target, e.call)) << e.label;
  }
  EXPECT_EQ(info.callSites.size(), std::size(sites)) << "the call to the next instruction is no call";
  ASSERT_EQ(info.unresolved.size(), 1u);
  EXPECT_EQ(info.unresolved[0].address, local + 8);
  EXPECT_TRUE(info.unresolved[0].call);
  EXPECT_EQ(info.callSites[0].targetCell, cell);
}

TEST(AnalyzeIa32Function, NonReturningCallEndsTheWalk) {
  const uint32_t terminate = kCode + 0x100;
  BytesReader reader;
  // call terminate; then bytes that do not decode
  reader.Place(kCode, Join({CallTo(kCode, terminate), {0x0F, 0x0A}}));
  reader.Place(terminate, {0xC3});
  FixedEnvironment env(kCode, kCodeEnd);
  TFunctionInfo info = AnalyzeFunction(kCode, reader, CodeMode::Bits32, env);
  EXPECT_FALSE(info.valid) << "the walk should go on after a call to an unknown routine";
  EXPECT_EQ(info.errorText, kInvalidCodeText);
  EXPECT_EQ(info.errorAddress, kCode + 5);

  env.names[terminate] = "exit";
  info = AnalyzeFunction(kCode, reader, CodeMode::Bits32, env);
  EXPECT_TRUE(info.valid) << info.errorText;
  EXPECT_EQ(info.codeLength, 5u);
  EXPECT_FALSE(info.returns);
}

// A routine of the module that only calls a non-returning routine does not return either;
// one that may return leaves the caller's walk going on.
TEST(AnalyzeIa32Function, CallToARoutineThatNeverReturnsEndsTheWalk) {
  const uint32_t raise = kCode + 0x100, terminate = kCode + 0x200;
  struct Case {
    const char* label;
    std::vector<uint8_t> raiseBody;
    bool callerValid;
  } cases[] = {
      {"raise ends in exit", CallTo(raise, terminate), true},
      {"raise may return", Join({{0x85, 0xC0, 0x74, 0x01, 0xC3}, CallTo(raise + 5, terminate)}), false},
      {"raise loops forever", {0xEB, 0xFE}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    BytesReader reader;
    reader.Place(kCode, Join({CallTo(kCode, raise), {0x0F, 0x0A}}));  // then undecodable bytes
    reader.Place(raise, c.raiseBody);
    reader.Place(terminate, {0xC3});
    FixedEnvironment env(kCode, kCodeEnd);
    env.names[terminate] = "exit";
    const TFunctionInfo info = AnalyzeFunction(kCode, reader, CodeMode::Bits32, env);
    EXPECT_EQ(info.valid, c.callerValid) << c.label;
  }
}

TEST(AnalyzeFunctionEntry, UnreadableEntryIsAnInvalidParameter) {
  BytesReader reader;
  FixedEnvironment env(kCode, kCodeEnd);
  const TFunctionInfo info = AnalyzeFunction(kCode, reader, CodeMode::Bits32, env);
  EXPECT_FALSE(info.valid);
  EXPECT_EQ(info.errorCode, EINVAL);
  EXPECT_EQ(info.errorText, std::strerror(EINVAL));
}

TEST(AnalyzeFunctionEntry, Patchable) {
  struct Case {
    const char* label;
    std::vector<uint8_t> bytes;
    bool patchable;
  } cases[] = {
      {"push ebp; mov ebp, esp; sub esp, 16", {0x55, 0x8B, 0xEC, 0x83, 0xEC, 0x10, 0xC3}, true},
      {"short conditional jump can be widened", {0x74, 0x04, 0x90, 0x90, 0x90, 0x90, 0x90, 0xC3}, true},
      {"short jump leaves the next bytes out", {0xEB, 0x04, 0x90, 0x90, 0x90, 0x90, 0x90, 0xC3}, false},
      {"jecxz cannot be widened", {0xE3, 0x05, 0x90, 0x90, 0x90, 0x90, 0x90, 0xC3}, false},
      {"jmp eax cannot be relocated", {0x90, 0xFF, 0xE0}, false},
      {"five bytes are too short", {0x31, 0xC0, 0x90, 0x90, 0xC3}, false},
      {"a loop back into the first bytes", {0x90, 0x90, 0x49, 0x75, 0xFC, 0x90, 0xC3}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    BytesReader reader;
    reader.Place(kCode, c.bytes);
    FixedEnvironment env(kCode, kCodeEnd);
    const TFunctionInfo info = AnalyzeFunction(kCode, reader, CodeMode::Bits32, env);
    EXPECT_EQ(info.patchable, c.patchable) << c.label;
  }
}

// gcc's dispatch in position-independent 64-bit code: the table holds offsets from its
// own start; and the absolute form of non-PIC code.
TEST(AnalyzeX64Function, GccSwitchTables) {
  const uint64_t code = 0x10000, table = 0x20000;
  const uint64_t cases[3] = {code + 0x40, code + 0x50, code + 0x60};
  struct Form {
    const char* label;
    std::vector<uint8_t> dispatch;
    std::vector<uint8_t> entries;
  };
  std::vector<uint8_t> relative, absolute;
  for (uint64_t c : cases) {
    relative = Join({relative, Le32(uint32_t(c - table))});
    absolute = Join({absolute, Le32(uint32_t(c)), Le32(0)});
  }
  // The position-independent dispatch after the given bound check, which leaves the index
  // in edi and jumps to the default at code + 0x35.
  auto pic = [&](std::vector<uint8_t> check) {
    const uint32_t leaAt = uint32_t(code + check.size());
    return Join({check, {0x48, 0x8D, 0x15}, Le32(uint32_t(table - (leaAt + 7))),  // lea rdx, [rip+table]
                 {0x48, 0x63, 0x04, 0xBA},                                        // movslq (rdx,rdi,4), rax
                 {0x48, 0x01, 0xD0},                                              // add rax, rdx
                 {0x3E, 0xFF, 0xE0}});                                            // notrack jmp *rax
  };
  Form forms[] = {
      {"cmp edi, 2; ja; mov edi, edi; lea table; movslq; add; jmp *rax",
       pic({0x83, 0xFF, 0x02, 0x77, 0x30, 0x89, 0xFF}), relative},
      {"cmpb $2, (rax,rbx); ja; movzbl (rax,rbx), edi; ...",
       pic({0x80, 0x3C, 0x18, 0x02, 0x77, 0x2F, 0x0F, 0xB6, 0x3C, 0x18}), relative},
      {"movzwl di, edi; cmp di, 2; ja; ...",
       pic({0x0F, 0xB7, 0xFF, 0x66, 0x83, 0xFF, 0x02, 0x77, 0x2C}), relative},
      {"cmp edi, 2; ja; jmp *table(,rdi,8)",
       Join({{0x83, 0xFF, 0x02, 0x77, 0x30, 0xFF, 0x24, 0xFD}, Le32(uint32_t(table))}), absolute},
  };
  for (const Form& form : forms) {
    SCOPED_TRACE(form.label);
    BytesReader reader;
    reader.Place(code, form.dispatch);
    reader.Place(code + 0x35, {0xC3});  // default
    for (int k = 0; k < 3; ++k)
      reader.Place(cases[k], Join({{0xE8}, Le32(uint32_t(0x100000 * (k + 1) - (cases[k] + 5))), {0xC3}}));
    reader.Place(table, form.entries);
    FixedEnvironment env(code, 0x18000);
    const TFunctionInfo info = AnalyzeFunction(code, reader, CodeMode::Bits64, env);
    EXPECT_TRUE(info.valid) << form.label << ": " << info.errorText;
    for (int k = 0; k < 3; ++k)
      EXPECT_TRUE(HasCallSite(info, cases[k], cases[k] + 5 + (0x100000 * (k + 1) - (cases[k] + 5))))
          << form.label << ", case " << k;
    EXPECT_TRUE(info.unresolved.empty()) << form.label;
  }
}

}  // namespace
