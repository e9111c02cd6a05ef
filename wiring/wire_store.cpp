// The wire records and the jack bookkeeping kept with them: adding, deleting
// and clearing wires is the only way to change either, so they cannot drift.
#include "simulator/simulator.h"

namespace orrin {

int Simulator::FindWire(int from, int to) const {
  for (int i = 0; i < WireCapacity; ++i) {
    const Wire& w = machine.Wires[static_cast<size_t>(i)];
    if (w.InUse == 1 && w.From == from && w.To == to) return i;
  }
  return -1;
}

int Simulator::FirstWireInto(int input) const {
  for (int i = 0; i < WireCapacity; ++i) {
    const Wire& w = machine.Wires[static_cast<size_t>(i)];
    if (w.InUse == 1 && w.To == input) return i;
  }
  return 0xFFFF;
}

int Simulator::AddWire(int from, int to, uint32_t color) {
  for (int i = 0; i < WireCapacity; ++i) {
    Wire& w = machine.Wires[static_cast<size_t>(i)];
    if (w.InUse) continue;
    w.InUse = 1;
    w.From = from;
    w.To = to;
    w.Color = color;
    w.Points.clear();
    ConnectJacks(from, to);
    return i;
  }
  return -1;
}

void Simulator::AppendWirePoint(int index, int x, int y) {
  machine.Wires[static_cast<size_t>(index)].Points.push_back({x, y});
}

bool Simulator::DeleteWire(int from, int to) {
  const int i = FindWire(from, to);
  if (i < 0) return false;
  DisconnectJacks(from, to);
  Wire& w = machine.Wires[static_cast<size_t>(i)];
  w.InUse = 0;
  w.From = w.To = NoValue;
  w.Points.clear();
  w.Points.shrink_to_fit();
  return true;
}

void Simulator::ClearWireStore() {
  for (Wire& w : machine.Wires) w = Wire{};
  ClearJackConnections();
}

void Simulator::ConnectJacks(int from, int to) {
  Jack& out = machine.Jacks[static_cast<size_t>(from)];
  Jack& in = machine.Jacks[static_cast<size_t>(to)];
  ++out.WireCount;
  ++in.WireCount;
  for (int32_t& slot : out.Targets) {
    if (slot == 0) {
      slot = to;
      break;
    }
  }
}

void Simulator::DisconnectJacks(int from, int to) {
  Jack& out = machine.Jacks[static_cast<size_t>(from)];
  Jack& in = machine.Jacks[static_cast<size_t>(to)];
  --out.WireCount;
  --in.WireCount;
  for (int32_t& slot : out.Targets) {
    if (slot == to) {
      slot = 0;
      break;
    }
  }
}

int Simulator::WireCountInUse() const {
  int n = 0;
  for (const Wire& w : machine.Wires) n += w.InUse == 1;
  return n;
}

}  // namespace orrin
