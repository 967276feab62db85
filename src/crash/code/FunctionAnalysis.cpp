#include "crash/code/FunctionAnalysis.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <map>
#include <utility>

#include "crash/code/UnwindTables.h"
#include "crash/code/WalkState.h"

namespace {

// Bounds that keep a walk through garbage or a huge function finite.
constexpr size_t kMaxInstructions = 200000;
// A callee is walked to learn whether it can return at all, within this budget, and all
// callees of one function within the second.
constexpr size_t kMaxCalleeInstructions = 20000;
constexpr size_t kMaxAllCalleesInstructions = 1000000;
constexpr uint32_t kMaxTableEntries = 4096;

// A named address starts a function of its own, unless the name is that of a part the
// compiler split off a function to keep it out of the hot path ("f.cold"): those parts
// are reached only by the function's own jumps and landing pads.
bool StartsFunction(const std::string& name) {
  if (name.empty()) return false;
  const size_t cold = name.rfind(".cold");
  return cold == std::string::npos ||
         (cold + 5 != name.size() && name[cold + 5] != '.');
}

struct Area {
  uint64_t end = 0;  // last byte; meaningful once walked
  bool data = false;
  bool walked = false;
  WalkState state;
};

class Walker {
public:
  // Whether each callee walked so far can return (shared by a function and its callees).
  struct ReturnCache {
    std::map<uint64_t, bool> returns;
    size_t budget = kMaxAllCalleesInstructions;
  };

  Walker(uint64_t entry, const MemoryReader& reader, CodeMode mode, const CodeEnvironment& env,
         ReturnCache& returnCache, bool callee)
      : entry_(entry), reader_(reader), mode_(mode), env_(env), returnCache_(returnCache),
        callee_(callee),
        budget_(callee ? std::min(kMaxCalleeInstructions, returnCache.budget) : kMaxInstructions) {
    if (!env.ModuleCodeRange(entry, codeStart_, codeEnd_)) codeStart_ = 0, codeEnd_ = UINT64_MAX;
  }

  TFunctionInfo Run();

private:
  uint64_t entry_;
  const MemoryReader& reader_;
  CodeMode mode_;
  const CodeEnvironment& env_;
  ReturnCache& returnCache_;
  bool callee_;  // walked only to learn whether it returns; its own callees are not walked
  uint64_t codeStart_ = 0, codeEnd_ = 0;
  std::map<uint64_t, Area> areas_;
  std::deque<uint64_t> pending_;
  std::map<uint64_t, TCallSite> callSites_;  // by return address
  std::map<uint64_t, TUnresolvedSite> unresolved_;
  size_t budget_;
  bool returns_ = false;  // some path leaves the function other than by a call that never returns
  bool failed_ = false;
  uint64_t failedAt_ = 0;

  bool InCode(uint64_t a) const { return a >= codeStart_ && a < codeEnd_; }
  void AddArea(uint64_t start, const WalkState& state);
  void Walk(uint64_t start);
  bool HandleSwitch(const InstructionFacts& f, const WalkState& s);
  // Handles a call or jump with a known target; false when the walk must stop after it
  // because the target never returns.
  bool HandleBranch(const InstructionFacts& f, const WalkState& s);
  void AddCallSite(const InstructionFacts& f, bool call, uint64_t target);
  // A jump stub at target: the target it jumps on to, and the cell it goes through.
  bool FollowStub(uint64_t target, uint64_t& onward, uint64_t& cell) const;
  bool NeverReturns(const InstructionFacts& f, uint64_t target, uint64_t stubCell) const;
  bool Patchable() const;
  // Landing pads are reached only by the unwinder, never by a jump in the code: the pads
  // of every unwind region the function's code reaches are areas (a split-off cold part
  // has a region of its own).
  void AddLandingPads(uint64_t address);
  std::vector<std::pair<uint64_t, uint64_t>> regions_;  // unwind regions seen
};

void Walker::AddLandingPads(uint64_t address) {
  for (const auto& [begin, end] : regions_)
    if (address >= begin && address < end) return;
  UnwindRegion region;
  if (!FindUnwindRegion(address, env_.UnwindIndex(address), reader_, mode_, region)) return;
  regions_.emplace_back(region.begin, region.end);
  for (uint64_t pad : region.landingPads)
    if (InCode(pad)) AddArea(pad, WalkState{});
}

void Walker::AddArea(uint64_t start, const WalkState& state) {
  auto found = areas_.find(start);
  if (found != areas_.end()) {
    if (found->second.data) return;
    if (found->second.state.MeetWith(state) && found->second.walked) {
      found->second.walked = false;
      pending_.push_back(start);
    }
    return;
  }
  // An area already walked across start is cut there, and walked again so that its state
  // at start flows into the new area.
  auto holder = areas_.upper_bound(start);
  if (holder != areas_.begin()) {
    --holder;
    if (holder->second.walked && !holder->second.data && start <= holder->second.end) {
      holder->second.walked = false;
      pending_.push_back(holder->first);
    }
  }
  areas_[start] = Area{0, false, false, state};
  pending_.push_back(start);
}

bool Walker::FollowStub(uint64_t target, uint64_t& onward, uint64_t& cell) const {
  InstructionFacts stub = DecodeInstruction(target, reader_, mode_);
  if (stub.valid && stub.opcode == 0x0F1E && stub.prefixF3)  // endbr64 / endbr32
    stub = DecodeInstruction(stub.next, reader_, mode_);
  if (!stub.valid || !stub.jump || stub.conditional) return false;
  cell = stub.targetCell;
  onward = stub.hasTarget ? stub.target : 0;
  return true;
}

bool Walker::NeverReturns(const InstructionFacts& f, uint64_t target, uint64_t stubCell) const {
  for (uint64_t cell : {f.targetCell, stubCell})
    if (cell && IsNonReturningRoutine(env_.ImportNameAt(cell))) return true;
  for (uint64_t at : {f.target, target})
    if (at && IsNonReturningRoutine(env_.FunctionNameAt(at))) return true;
  // A routine of our own that only throws or exits: no path of it returns.
  if (callee_ || !f.targetField || !InCode(target) || target == entry_) return false;
  auto known = returnCache_.returns.find(target);
  if (known == returnCache_.returns.end()) {
    if (returnCache_.budget == 0) return false;
    Walker callee(target, reader_, mode_, env_, returnCache_, true);
    const size_t budget = callee.budget_;
    const TFunctionInfo info = callee.Run();
    returnCache_.budget -= budget - callee.budget_;
    known = returnCache_.returns.emplace(target, !info.valid || info.returns).first;
  }
  return !known->second;
}

void Walker::AddCallSite(const InstructionFacts& f, bool call, uint64_t target) {
  TCallSite site{call, f.start, f.next, target, f.targetField, f.targetCell};
  callSites_.emplace(f.next, site);
}

bool Walker::HandleBranch(const InstructionFacts& f, const WalkState& s) {
  uint64_t target = f.target, onward = 0, stubCell = 0;
  const bool stub = FollowStub(f.target, onward, stubCell);
  // A stub is followed unless it is itself a named function of its module.
  const std::string stubName = stub ? env_.FunctionNameAt(f.target) : std::string();
  const bool followed = stub && onward && (stubName.empty() || stubName.find("@plt") != std::string::npos);
  if (followed) target = onward;
  if (f.call) {
    AddCallSite(f, true, target);
    return !NeverReturns(f, target, stub ? stubCell : 0);
  }
  // A jump leaving the module, reaching another named function or an import stub goes
  // on in another function: a tail jump.
  const bool tail = !InCode(f.target) || (stub && stubCell) ||
                    (f.target != entry_ && StartsFunction(env_.FunctionNameAt(f.target)));
  if (tail) {
    AddCallSite(f, false, target);
    returns_ = true;  // whatever the target does
  }
  else AddArea(f.target, s);
  return true;
}

bool Walker::HandleSwitch(const InstructionFacts& f, const WalkState& s) {
  if (f.opcode != 0xFF || (f.modrm.reg & 7) != 4) return false;
  const ModRmOperand& m = f.modrm;
  const int pointer = mode_ == CodeMode::Bits64 ? 8 : 4;
  uint64_t table;
  uint32_t count;
  bool relative;
  if (m.mod == 3 && s.piece[m.rm].kind == SwitchPiece::Target) {
    table = s.piece[m.rm].table, count = s.piece[m.rm].count, relative = true;
  } else if (m.memory && m.scale == pointer && s.Bounded(m.index) && !m.ripRelative &&
             (m.base < 0 || s.registers.Known(m.base))) {
    table = uint64_t(m.displacement) + (m.base >= 0 ? s.registers.value[m.base] : 0);
    if (pointer == 4) table &= 0xFFFFFFFFu;
    count = s.bound[m.index], relative = false;
  } else {
    return false;
  }
  count = std::min(count, kMaxTableEntries);
  WalkState caseState = s;
  caseState.Forget(m.rm);
  const int entrySize = relative ? 4 : pointer;
  for (uint32_t k = 0; k < count; ++k) {
    uint64_t entry = 0;
    if (!reader_.ReadExactly(uintptr_t(table + uint64_t(k) * entrySize), &entry, size_t(entrySize))) break;
    uint64_t target = relative ? table + uint64_t(int64_t(int32_t(uint32_t(entry)))) : entry;
    if (InCode(target)) AddArea(target, caseState);
  }
  if (table == f.next && count) {  // a table inside the code, right after the jump
    Area& data = areas_[table];
    data = Area{table + uint64_t(count) * entrySize - 1, true, true, {}};
  }
  return true;
}

void Walker::Walk(uint64_t start) {
  Area& area = areas_[start];
  area.walked = true;
  WalkState s = area.state;
  PendingCompare compare;
  MemoryBound memoryBound;
  InstructionFacts previous;
  uint64_t at = start, last = start;
  while (true) {
    if (at != start) {
      auto known = areas_.find(at);
      if (known != areas_.end()) {
        if (!known->second.data) AddArea(at, s);
        break;
      }
    }
    if (budget_ == 0) {
      returns_ = true;  // not known otherwise
      break;
    }
    --budget_;
    InstructionFacts f = DecodeInstruction(at, reader_, mode_, &s.registers);
    if (!f.valid) {
      failed_ = true;
      failedAt_ = at;
      break;
    }
    last = f.next - 1;
    bool goesOn = f.flowEnd == FlowEnd::None;
    if (f.flowEnd == FlowEnd::Return) returns_ = true;
    // An exception frame being set up in 32-bit code: push handler; push fs:[0].
    if (mode_ == CodeMode::Bits32 && f.opcode == 0xFF && (f.modrm.reg & 7) == 6 && f.segment == 0x64 &&
        f.modrm.memory && f.modrm.base < 0 && f.modrm.index < 0 && f.modrm.displacement == 0 &&
        previous.valid && previous.opcode == 0x68 && previous.immediateSize == 4) {
      WalkState unknown;
      AddArea(uint64_t(uint32_t(previous.immediate)), unknown);
    }
    if (f.jump && HandleSwitch(f, s)) {
      goesOn = false;
    } else if (f.call || f.jump) {
      if (f.hasTarget) {
        if (!HandleBranch(f, s)) goesOn = false;
      } else {
        unresolved_.emplace(f.next, TUnresolvedSite{f.call, f.start, f.next});
        if (f.jump) returns_ = true;  // may go anywhere
      }
      if (f.jump && !f.conditional) goesOn = false;
    }
    const uint32_t bound = BoundAfterJump(f, compare, mode_);
    const PendingCompare compared = compare;
    ApplyInstruction(f, mode_, reader_, s, compare);
    ApplyMemoryBound(f, memoryBound, s);
    memoryBound = {};
    if (bound && compared.memory) memoryBound = {true, compared.operand, compared.width, bound};
    else if (bound) s.Bound(compared.reg, bound, compared.width);
    if (!goesOn) break;
    previous = f;
    at = f.next;
  }
  areas_[start].end = last;
}

bool Walker::Patchable() const {
  uint64_t covered = entry_;  // first byte not yet known to belong to the function
  for (auto it = areas_.find(entry_); it != areas_.end() && it->first <= covered; ++it)
    if (!it->second.data) covered = std::max(covered, it->second.end + 1);
  if (covered - entry_ <= 5) return false;
  // Code that jumps into the bytes to be rewritten would land inside the patch.
  const auto following = areas_.upper_bound(entry_);
  if (following != areas_.end() && following->first < entry_ + 6) return false;
  for (uint64_t at = entry_; at < entry_ + 6;) {
    InstructionFacts f = DecodeInstruction(at, reader_, mode_);
    if (!f.valid) return false;
    if (f.call || f.jump) {
      if (!f.targetField && !f.targetCell) return false;
      if (f.targetField && f.targetSize < 4 && !f.enlargeable) return false;
    }
    at = f.next;
  }
  return true;
}

TFunctionInfo Walker::Run() {
  TFunctionInfo info;
  info.entry = entry_;
  uint8_t probe;
  if (!reader_.ReadExactly(uintptr_t(entry_), &probe, 1)) {
    info.errorAddress = entry_;
    info.errorCode = EINVAL;
    info.errorText = std::strerror(EINVAL);
    return info;
  }
  AddArea(entry_, WalkState{});
  while (!pending_.empty() && budget_ > 0) {
    uint64_t start = pending_.front();
    pending_.pop_front();
    auto area = areas_.find(start);
    if (area == areas_.end() || area->second.walked || area->second.data) continue;
    AddLandingPads(start);
    Walk(start);
  }

  for (const auto& [start, area] : areas_)
    info.areas.push_back({start, std::max(area.end, start), area.data, area.state.registers});
  info.codeStart = info.areas.front().start;
  uint64_t highest = 0;
  for (const TCodeArea& a : info.areas) highest = std::max(highest, a.end);
  info.codeLength = highest - info.codeStart + 1;
  for (const auto& [next, site] : callSites_) info.callSites.push_back(site);
  for (const auto& [next, site] : unresolved_) info.unresolved.push_back(site);
  if (failed_) {
    info.errorAddress = failedAt_;
    info.errorText = kInvalidCodeText;
    return info;
  }
  info.valid = true;
  info.returns = returns_;
  info.patchable = Patchable();
  return info;
}

}  // namespace

TFunctionInfo AnalyzeFunction(uint64_t entry, const MemoryReader& reader, CodeMode mode,
                              const CodeEnvironment& environment) {
  Walker::ReturnCache returnCache;
  return Walker(entry, reader, mode, environment, returnCache, false).Run();
}
