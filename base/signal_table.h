#pragma once
// What the board shows of each control signal: its lamp and the label that
// names its source, from the one list of signals (base/signals.h).
#include <array>
#include <cstdint>

#include "base/board_view.h"
#include "base/machine_state.h"

namespace orrin {

enum class LampColour : uint8_t { None, Red, Green };

struct SignalInfo {
  Sig sig;
  const char* name;
  int bit;              // M<bit> drives it in microprogram mode; 0: a register select
  LampColour lamp;      // the colour of its lamp in the signal row
  int order;            // the lamp's place in that row, -1 for none
  WidgetId lampWidget;  // WidgetId::Count for none
  WidgetId label;       // names what drives it: a jack's source or "(Mbit)"
  const char* microText;
};

#define ORRIN_LAMP_WIDGET_Red(name) WidgetId::Image_##name
#define ORRIN_LAMP_WIDGET_Green(name) WidgetId::Image_##name
#define ORRIN_LAMP_WIDGET_None(name) WidgetId::Count
inline constexpr SignalInfo kSignalInfo[SigCount] = {
#define ORRIN_SIG_INFO(name, bit, lamp, order, label) \
  {Sig::name,                                         \
   #name,                                             \
   bit,                                               \
   LampColour::lamp,                                  \
   order,                                             \
   ORRIN_LAMP_WIDGET_##lamp(name),                    \
   WidgetId::label,                                   \
   bit ? "(M" #bit ")" : ""},
    ORRIN_CONTROL_SIGNALS(ORRIN_SIG_INFO)
#undef ORRIN_SIG_INFO
};
#undef ORRIN_LAMP_WIDGET_Red
#undef ORRIN_LAMP_WIDGET_Green
#undef ORRIN_LAMP_WIDGET_None

inline constexpr int kSignalLampCount = 24;
static_assert(
    [] {
      // The lamps' places are 0 .. 23, each one signal's.
      int seen[kSignalLampCount] = {};
      int lamps = 0;
      for (const SignalInfo& s : kSignalInfo) {
        if (s.order < 0) continue;
        if (s.order >= kSignalLampCount || seen[s.order]++) return false;
        ++lamps;
      }
      return lamps == kSignalLampCount;
    }(),
    "every lamp of the row is one signal's");
// The signals with a lamp, left to right along the row.
inline constexpr std::array<Sig, kSignalLampCount> kSignalLampRow = [] {
  std::array<Sig, kSignalLampCount> row{};
  for (const SignalInfo& s : kSignalInfo)
    if (s.order >= 0) row[static_cast<size_t>(s.order)] = s.sig;
  return row;
}();

}  // namespace orrin
