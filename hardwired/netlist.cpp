#include "hardwired/netlist.h"

#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <utility>

namespace orrin {

namespace {

using nlohmann::json;

// The gates Yosys's `synth` maps to, and its positive-edge flip-flop.
constexpr std::pair<std::string_view, int> kGateTypes[] = {
    {"$_NOT_", 0}, {"$_AND_", 1},  {"$_OR_", 2},     {"$_XOR_", 3},   {"$_NAND_", 4},
    {"$_NOR_", 5}, {"$_XNOR_", 6}, {"$_ANDNOT_", 7}, {"$_ORNOT_", 8}, {"$_MUX_", 9},
};

// A member's text, "" when it is missing or not text: a hostile file is
// read without an exception (the web module has none).
std::string Text(const json& object, const char* key) {
  if (!object.is_object() || !object.contains(key) || !object[key].is_string()) return {};
  return object[key].get<std::string>();
}

const json& Member(const json& object, const char* key) {
  static const json kNothing;
  return object.is_object() && object.contains(key) ? object[key] : kNothing;
}

}  // namespace

// Where a port of the board's lands: its nets in the netlist, LSB first.
std::optional<Netlist::Slot> Netlist::SlotOf(const std::string& name, uint32_t& clk) {
  const std::pair<const char*, uint32_t*> inputs[] = {{"clk", &clk}, {"SWC", &swc_}, {"SWB", &swb_},  {"SWA", &swa_},
                                                      {"C", &c_},    {"Z", &z_},     {"INTQ", &intq_}};
  for (const auto& [port, net] : inputs)
    if (name == port) return Slot{net, 1, true};
  if (name == "IR") return Slot{ir_.data(), 8, true};
  if (name.size() == 3 && name.starts_with("IR") && name[2] >= '0' && name[2] <= '7')
    return Slot{&ir_[static_cast<size_t>(name[2] - '0')], 1, true};
  if (name == "S") return Slot{&signalNet_[S0], 4, false};  // S0 .. S3 stand in a row
  if (name == "P4") return Slot{&p4Net_, 1, false};
  if (name == "STATE") return Slot{nullptr, 0, false};
  for (int s = 0; s < SigCount; ++s)
    if (name == kSigNames[s]) return Slot{&signalNet_[static_cast<size_t>(s)], 1, false};
  return std::nullopt;
}

bool Netlist::Read(std::string_view text, std::string& error) {
  const json doc = json::parse(text.begin(), text.end(), nullptr, false);
  if (doc.is_discarded()) {
    error = "not a JSON netlist: the file is not JSON";
    return false;
  }
  const json& modules = Member(doc, "modules");
  if (!modules.is_object() || modules.empty()) {
    error = "not a Yosys netlist: no \"modules\"";
    return false;
  }
  const json* module = nullptr;
  if (modules.contains("controller"))
    module = &modules["controller"];
  else if (modules.size() == 1)
    module = &modules.begin().value();
  if (module == nullptr || !module->is_object()) {
    error = "no module named controller among " + std::to_string(modules.size()) + " modules";
    return false;
  }

  Netlist n;
  std::map<int64_t, uint32_t> dense;  // Yosys's bit numbers to ours
  bool bad = false;
  // A bit of a connection: a net number, or the constants "0", "1", "x", "z"
  // (x and z taken as 0).
  auto net = [&](const json& bit) -> uint32_t {
    if (bit.is_string()) return bit.get<std::string>() == "1" ? 1u : 0u;
    if (!bit.is_number_integer()) {
      bad = true;
      return 0;
    }
    const auto [it, added] = dense.try_emplace(bit.get<int64_t>(), static_cast<uint32_t>(n.nets_.size()));
    if (added) n.nets_.push_back(0);
    return it->second;
  };
  auto bitsOf = [&](const json& port, std::vector<uint32_t>& out) {
    out.clear();
    const json& list = Member(port, "bits");
    if (!list.is_array()) return false;
    for (const json& b : list) out.push_back(net(b));
    return !bad;
  };

  // Ports: each with the board's name and the right direction and width.
  constexpr uint32_t kNoClk = UINT32_MAX;
  uint32_t clk = kNoClk;
  std::vector<uint32_t> bits;
  if (const json& ports = Member(*module, "ports"); ports.is_object()) {
    for (const auto& [name, port] : ports.items()) {
      const std::optional<Slot> slot = n.SlotOf(name, clk);
      if (!slot) {
        error = "port " + name + " is none of the board's (clk, SWC, SWB, SWA, IR, C, Z, INTQ; the signals, P4, STATE)";
        return false;
      }
      if (Text(port, "direction") != (slot->input ? "input" : "output")) {
        error = "port " + name + " must be an " + (slot->input ? "input" : "output");
        return false;
      }
      if (!bitsOf(port, bits)) {
        error = "port " + name + " has bits that are not nets";
        return false;
      }
      const bool state = slot->nets == nullptr;
      if (state ? bits.empty() || bits.size() > 8 : bits.size() != slot->width) {
        error = "port " + name + " has " + std::to_string(bits.size()) + " bits, not " +
                (state ? std::string("1 to 8") : std::to_string(slot->width));
        return false;
      }
      if (state)
        n.stateNets_ = bits;
      else
        std::copy(bits.begin(), bits.end(), slot->nets);
    }
  }

  // Cells: gates and flip-flops on clk, nothing else.
  const json& cells = Member(*module, "cells");
  if (!cells.is_null() && !cells.is_object()) {
    error = "not a Yosys netlist: \"cells\" is not an object";
    return false;
  }
  if (cells.size() > kMostCells) {
    error = "more than " + std::to_string(kMostCells) + " cells";
    return false;
  }
  struct Pending {
    std::string name;
    Gate gate;
  };
  std::vector<Pending> gates;
  for (const auto& [name, cell] : cells.items()) {
    const std::string type = Text(cell, "type");
    const json& conn = Member(cell, "connections");
    auto pin = [&](const char* p) -> uint32_t {
      const json& bits = Member(conn, p);
      if (!bits.is_array() || bits.size() != 1) {
        bad = true;
        return 0;
      }
      return net(bits[0]);
    };
    if (type == "$_DFF_P_") {
      const uint32_t c = pin("C"), d = pin("D"), q = pin("Q");
      if (bad) {
        error = "cell " + name + " (" + type + ") is not connected as a gate";
        return false;
      }
      if (c != clk) {
        error = "flip-flop " + name + " is clocked by another net than clk";
        return false;
      }
      n.dffs_.push_back({d, q});
      continue;
    }
    int op = -1;
    for (const auto& [t, o] : kGateTypes)
      if (t == type) op = o;
    if (op < 0) {
      error = "cell " + name + " is a " + type + ", not one of the gates (synthesise with: synth -flatten)";
      return false;
    }
    const auto kind = static_cast<Op>(op);
    Gate g{pin("A"), 0, 0, 0, TruthTable(kind)};
    if (kind != Op::Not) g.b = pin("B");
    if (kind == Op::Mux) g.s = pin("S");
    g.y = pin("Y");
    if (bad) {
      error = "cell " + name + " (" + type + ") is not connected as a gate";
      return false;
    }
    gates.push_back({name, g});
  }

  // Levelise: a gate comes after every gate whose output it reads.
  std::vector<int> driver(n.nets_.size(), -1);
  std::vector<bool> held(n.nets_.size(), false);  // a flip-flop's output
  for (const Dff& f : n.dffs_) held[f.q] = true;
  for (size_t i = 0; i < gates.size(); ++i) {
    const uint32_t y = gates[i].gate.y;
    if (y < 2 || driver[y] >= 0 || held[y]) {
      error = "the output net of cell " + gates[i].name + " is driven twice";
      return false;
    }
    driver[y] = static_cast<int>(i);
  }
  std::vector<int> waiting(gates.size(), 0);
  std::vector<std::vector<size_t>> readers(gates.size());
  for (size_t i = 0; i < gates.size(); ++i) {
    const Gate& g = gates[i].gate;
    const uint32_t ins[3] = {g.a, g.b, g.s};  // an unused one is net 0
    for (uint32_t in : ins)
      if (in >= 2 && driver[in] >= 0) {
        ++waiting[i];
        readers[static_cast<size_t>(driver[in])].push_back(i);
      }
  }
  std::vector<size_t> order;
  for (size_t i = 0; i < gates.size(); ++i)
    if (waiting[i] == 0) order.push_back(i);
  for (size_t k = 0; k < order.size(); ++k)
    for (size_t r : readers[order[k]])
      if (--waiting[r] == 0) order.push_back(r);
  if (order.size() != gates.size()) {
    for (size_t i = 0; i < gates.size(); ++i)
      if (waiting[i] > 0) {
        error = "a combinational loop through cell " + gates[i].name;
        return false;
      }
  }
  for (size_t i : order) n.gates_.push_back(gates[i].gate);
  n.next_.assign(n.dffs_.size(), 0);
  n.loaded_ = true;
  *this = std::move(n);
  return true;
}

uint8_t Netlist::TruthTable(Op op) {
  uint8_t table = 0;
  for (int i = 0; i < 8; ++i) {
    const int a = i & 1, b = (i >> 1) & 1, s = (i >> 2) & 1;
    int y = 0;
    switch (op) {
      case Op::Not:
        y = a ^ 1;
        break;
      case Op::And:
        y = a & b;
        break;
      case Op::Or:
        y = a | b;
        break;
      case Op::Xor:
        y = a ^ b;
        break;
      case Op::Nand:
        y = (a & b) ^ 1;
        break;
      case Op::Nor:
        y = (a | b) ^ 1;
        break;
      case Op::Xnor:
        y = (a ^ b) ^ 1;
        break;
      case Op::AndNot:
        y = a & (b ^ 1);
        break;
      case Op::OrNot:
        y = a | (b ^ 1);
        break;
      case Op::Mux:
        y = s ? b : a;
        break;
    }
    table = static_cast<uint8_t>(table | y << i);
  }
  return table;
}

void Netlist::Evaluate(const DesignInputs& in) {
  const uint32_t inputs =
      static_cast<uint32_t>((in.swc & 1) | (in.swb & 1) << 1 | (in.swa & 1) << 2 | (in.ir & 255) << 3 |
                            (in.c & 1) << 11 | (in.z & 1) << 12 | (in.intq & 1) << 13);
  if (!stale_ && inputs == lastInputs_) return;
  lastInputs_ = inputs;
  stale_ = false;
  auto set = [this](uint32_t net, int v) {
    if (net >= 2) nets_[net] = static_cast<uint8_t>(v & 1);
  };
  set(swc_, in.swc);
  set(swb_, in.swb);
  set(swa_, in.swa);
  for (size_t i = 0; i < 8; ++i) set(ir_[i], in.ir >> i);
  set(c_, in.c);
  set(z_, in.z);
  set(intq_, in.intq);
  uint8_t* v = nets_.data();
  for (const Gate& g : gates_) v[g.y] = (g.table >> (v[g.a] | v[g.b] << 1 | v[g.s] << 2)) & 1;
}

void Netlist::Clock() {
  stale_ = true;
  for (size_t i = 0; i < dffs_.size(); ++i) next_[i] = nets_[dffs_[i].d];
  for (size_t i = 0; i < dffs_.size(); ++i)
    if (dffs_[i].q >= 2) nets_[dffs_[i].q] = next_[i];
}

void Netlist::Reset() {
  stale_ = true;
  for (const Dff& f : dffs_)
    if (f.q >= 2) nets_[f.q] = 0;
}

int Netlist::State() const {
  int s = 0;
  for (size_t i = 0; i < stateNets_.size(); ++i) s |= Bit(stateNets_[i]) << i;
  return s;
}

}  // namespace orrin
