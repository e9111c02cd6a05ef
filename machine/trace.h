#pragma once
// The recorded past: every small beat leaves the board's shown records in a
// ring of HistoryDepth entries, and changes made between beats (grid saves,
// file loads) keep what they replaced. Playback writes only shown copies,
// so the live machine is never touched by looking back.
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <memory>

#include "machine/console.h"
#include "machine/core.h"
#include "machine/wire_store.h"

namespace orrin {

// The memory and the control store just before a change made between beats,
// with the newest beat at the time: a playback position at or before that
// beat shows them as they were.
struct MemoryEdit {
  int64_t after = 0;
  std::array<uint8_t, MemorySize> before{};
};
struct StoreEdit {
  int64_t after = 0;
  std::array<std::array<char, 10>, ControlStoreSize> before{};  // the word texts FetchMicroword gave
};
// Enough for any lab; a script that changes the memory between more beats
// than this keeps the newest changes.
inline constexpr size_t EditHistoryDepth = 8192;

class Trace {
 public:
  Trace();
  // Back to a new board's trace; the rings stay allocated (no entry is read
  // before a beat writes it again).
  void Reset();

  bool PlaybackShown = false;     // an older position is shown
  int32_t PlaybackDirection = 0;  // a held arrow: -1 back, +1 forward
  // A held arrow starts repeating after a second, then every 100 ms.
  static constexpr TimerRecord kTrigger{false, 1000}, kRepeat{false, 100};
  TimerRecord Timer_Trigger = kTrigger;
  TimerRecord Timer_RecotdBackPlay = kRepeat;

  static size_t RingIndex(int64_t step) { return static_cast<size_t>(step % HistoryDepth); }
  const TraceEntry& At(int64_t step) const { return ring_[RingIndex(step)]; }
  const MemTrace& MemAt(int64_t step) const { return memRing_[RingIndex(step)]; }

  // The entry of beat `step`: what the board shows now.
  void Record(const MachineState& m, int64_t step);
  // The first step away from the newest position keeps what it showed;
  // leaving the playback puts exactly that back.
  void KeepNewest(const MachineState& m, const WireStore& wires);
  void RestoreNewest(MachineState& m, WireStore& wires) const;
  // Position `pos` (1..StepCount, in the ring) into the shown copies: the
  // recorded records, the memory and the controller's word as they were.
  void Show(Core& m, WireStore& wires, int64_t pos) const;

  // Before the memory or the control store changes between beats.
  void KeepMemory(const MachineState& m);
  void KeepStore(const MachineState& m);
  void ForgetEdits();  // positions restart at 0: no change before belongs to one
  const std::deque<MemoryEdit>& MemoryEdits() const { return memEdits_; }

 private:
  struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
  };
  // The rings, allocated once and zeroed lazily by the system: an entry is
  // only ever read after the beat of its position has written it, so the
  // pages of a ring are touched only as far as the machine has run.
  std::unique_ptr<TraceEntry[], FreeDeleter> ring_;
  // The memory's part in a ring of its own: rebuilding an older memory walks
  // it backwards, and a compact ring keeps that walk fast.
  std::unique_ptr<MemTrace[], FreeDeleter> memRing_;
  std::deque<MemoryEdit> memEdits_;  // oldest first
  std::deque<StoreEdit> storeEdits_;
  // What the display showed at the newest position, while an older one is.
  struct Newest {
    TraceEntry entry;
    MemoryPorts memPorts;
    std::array<uint8_t, MemorySize> cells{};
    MicroDecode decode;
    std::array<int32_t, 72> jacks{};
  };
  std::unique_ptr<Newest> newest_ = std::make_unique<Newest>();
};

// Every unit's shown record into a trace entry, and back.
void CaptureShown(const MachineState& m, TraceEntry& e);
void PutShown(MachineState& m, const TraceEntry& e);

}  // namespace orrin
