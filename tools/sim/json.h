// Just enough JSON writing for the simulator's trace.
#pragma once

#include <string>
#include <string_view>

namespace varzeno::sim {

// s as a JSON string literal, quotes included. Names are UTF-8 and pass
// through; quotes, backslashes and control characters are escaped.
std::string JsonTexto(std::string_view s);

}  // namespace varzeno::sim
