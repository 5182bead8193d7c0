#pragma once

#include <gtest/gtest.h>

#include <string>

namespace nakva::testing {

// The name generator of a parameterised suite: a case is named as it prints (the PrintTo beside its
// type, which failures show too), letters and digits kept and every other run of characters one '_'.
// A case then shows as ".../WholeBelowItsLowest" or ".../2024_3_31" instead of ".../3".
struct CaseName {
    template <class Case> std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
        std::string name;
        for (const char c : ::testing::PrintToString(info.param)) {
            const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
            if (kept) {
                name += c;
            } else if (!name.empty() && name.back() != '_') {
                name += '_';
            }
        }
        while (!name.empty() && name.back() == '_') {
            name.pop_back();
        }
        return name.empty() ? std::to_string(info.index) : name;
    }
};

} // namespace nakva::testing
