#pragma once

#include "data/Error.h"

#include <QString>
#include <functional>

namespace test {

// The description of the data::Error an action throws; empty when it throws none.
inline QString failureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const data::Error& e) {
        return e.description();
    }
    return {};
}

} // namespace test
