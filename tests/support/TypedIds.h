#pragma once

#include "platform/Ids.h"

#include <cstdint>
#include <ostream>
#include <vector>

namespace vemo {

// Ids print as their numbers in test messages.
inline std::ostream& operator<<(std::ostream& out, WindowId id) {
    return out << idNumber(id);
}
inline std::ostream& operator<<(std::ostream& out, ControlId id) {
    return out << idNumber(id);
}
inline std::ostream& operator<<(std::ostream& out, CommandId id) {
    return out << idNumber(id);
}
inline std::ostream& operator<<(std::ostream& out, MenuId id) {
    return out << idNumber(id);
}

// The numbers of a list of ids, to compare with the numbers the program's tables give.
template <typename Id> std::vector<std::int32_t> idNumbers(const std::vector<Id>& ids) {
    std::vector<std::int32_t> numbers;
    for (const Id id : ids)
        numbers.push_back(idNumber(id));
    return numbers;
}

} // namespace vemo
