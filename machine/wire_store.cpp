#include "machine/wire_store.h"

#include <algorithm>

namespace orrin {

namespace {
const std::string kNoName;
}  // namespace

WireStore::WireStore() {
  for (const JackPlace& place : BoardJacks()) {
    Jack& j = jacks_[Slot(place.number)];
    j.Name = place.name;
    j.X = place.x;
    j.Y = place.y;
    j.HitRadius = 4;
    j.IsOutput = place.IsOutput();
    j.InUse = true;
  }
  for (int n : {jack::VCC1, jack::VCC2, jack::GND1, jack::GND2}) {
    Jack& j = jacks_[Slot(n)];
    j.FixedLevel = true;
    j.Value = (n == jack::VCC1 || n == jack::VCC2) ? 1 : 0;
  }
  driver_.fill(-1);
  stuck_.fill(-1);
  for (int n = 0; n < JackCount; ++n)
    if (IsInput(n)) inputs_.push_back(n);
}

int WireStore::HitTest(int x, int y) const {
  for (int n = 0; n < JackCount; ++n) {
    const Jack& j = jacks_[Slot(n)];
    if (!j.InUse) continue;
    const int64_t dx = static_cast<int64_t>(x) - j.X, dy = static_cast<int64_t>(y) - j.Y;
    if (dx * dx + dy * dy <= static_cast<int64_t>(j.HitRadius) * j.HitRadius) return n;
  }
  return -1;
}

int WireStore::Find(int from, int to) const {
  for (int i = 0; i < WireCapacity; ++i) {
    const Wire& w = wires_[static_cast<size_t>(i)];
    if (w.InUse && w.From == from && w.To == to) return i;
  }
  return -1;
}

int WireStore::FirstInto(int input) const {
  for (int i = 0; i < WireCapacity; ++i) {
    const Wire& w = wires_[static_cast<size_t>(i)];
    if (w.InUse && w.To == input) return i;
  }
  return -1;
}

int WireStore::Add(int from, int to, uint32_t color) {
  if (!IsOutput(from) || !IsInput(to) || Find(from, to) >= 0) return -1;
  for (int i = 0; i < WireCapacity; ++i) {
    Wire& w = wires_[static_cast<size_t>(i)];
    if (w.InUse) continue;
    w.InUse = true;
    w.From = from;
    w.To = to;
    w.Color = color;
    w.Points.clear();
    Jack& out = jacks_[Slot(from)];
    ++out.WireCount;
    ++jacks_[Slot(to)].WireCount;
    for (int32_t& slot : out.Targets) {
      if (slot == 0) {
        slot = to;
        break;
      }
    }
    ++inUse_;
    UpdateDriver(to);
    return i;
  }
  return -1;
}

void WireStore::AppendPoint(int index, int x, int y) {
  if (index < 0 || index >= WireCapacity || !wires_[static_cast<size_t>(index)].InUse) return;
  wires_[static_cast<size_t>(index)].Points.push_back({x, y});
}

bool WireStore::Delete(int from, int to) {
  const int i = Find(from, to);
  if (i < 0) return false;
  Jack& out = jacks_[Slot(from)];
  --out.WireCount;
  --jacks_[Slot(to)].WireCount;
  for (int32_t& slot : out.Targets) {
    if (slot == to) {
      slot = 0;
      break;
    }
  }
  Wire& w = wires_[static_cast<size_t>(i)];
  w.InUse = false;
  w.From = w.To = NoValue;
  w.Points.clear();
  w.Points.shrink_to_fit();
  --inUse_;
  UpdateDriver(to);
  return true;
}

void WireStore::Clear() {
  for (Wire& w : wires_) w = Wire{};
  for (Jack& j : jacks_) {
    j.WireCount = 0;
    j.Targets.fill(0);
  }
  driver_.fill(-1);
  cut_.fill(false);
  inUse_ = 0;
}

void WireStore::UpdateDriver(int input) {
  int16_t highest = -1;
  for (int o = 0; o < JackCount; ++o) {
    if (!IsOutput(o) || jacks_[Slot(o)].WireCount == 0) continue;
    for (int32_t t : jacks_[Slot(o)].Targets)
      if (t == input) highest = static_cast<int16_t>(o);
  }
  driver_[Slot(input)] = highest;
  cut_[Slot(input)] = std::find(broken_.begin(), broken_.end(), std::pair<int, int>(highest, input)) != broken_.end();
}

void WireStore::Propagate() {
  for (int n : inputs_) {
    const int16_t from = driver_[Slot(n)];
    const int8_t stuck = stuck_[Slot(n)];
    jacks_[Slot(n)].Value = stuck >= 0 ? stuck : from >= 0 && !cut_[Slot(n)] ? jacks_[Slot(from)].Value : NoValue;
  }
}

void WireStore::StickJack(int n, int level) { stuck_[Slot(n)] = static_cast<int8_t>(level ? 1 : 0); }

void WireStore::BreakWire(int from, int to) {
  if (std::find(broken_.begin(), broken_.end(), std::pair<int, int>(from, to)) == broken_.end())
    broken_.emplace_back(from, to);
  UpdateDriver(to);
}

void WireStore::ClearFaults() {
  stuck_.fill(-1);
  broken_.clear();
  for (int n : inputs_) UpdateDriver(n);
}

const std::string& WireStore::SourceName(int input) const {
  const int16_t from = driver_[Slot(input)];
  return from >= 0 ? jacks_[Slot(from)].Name : kNoName;
}

void WireStore::ClearLevels() {
  for (Jack& j : jacks_)
    if (!j.FixedLevel) j.Value = NoValue;
}

}  // namespace orrin
