#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sigmora::io {

// One port of a testbench port list ("import_tb.txt"): a line of comma-separated values, the
// quoted name, the direction, the bit width and the value.
struct Port {
    std::string name;
    std::string direction;
    int width = 0;
    std::string value;
    bool operator==(const Port&) const = default;
};

// The ports of a port list, one per line that has a name; blank lines are skipped.
std::vector<Port> parsePortList(std::string_view text);

} // namespace sigmora::io
