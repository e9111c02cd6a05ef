#pragma once
// The wire file: one wire per line, fixed-width upper-case hex fields
// (from 4, to 4, colour 8, then x 4 and y 4 per point), lines ended by CR LF.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/machine_state.h"

namespace orrin {

// Files over this size are refused unread.
inline constexpr uintmax_t WireFileLimit = 598016;

// The line of one wire, without its line end.
std::string FormatWireLine(const Wire& w);

// Splits the bytes of a wire file into lines (see ForEachLine: CR LF, LF and
// a lone CR all end one) and hands the hex digits of each, with its line
// number, to `take`. Spaces, tabs and any other non-digit byte are dropped.
void ForEachWireLine(std::string_view bytes, const std::function<void(std::string_view, int64_t)>& take);

}  // namespace orrin
