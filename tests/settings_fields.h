// Comparing two settings records field by field, each difference named.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <type_traits>

#include "framework/gameglobals.h"

namespace settings_fields {

// Floats compare by their bits: a NaN equals itself, 0.0 differs from -0.0.
template <class T>
auto Comparable(const T& value) {
    if constexpr (std::is_floating_point_v<T>)
        return std::bit_cast<uint32_t>(value);
    else
        return static_cast<int64_t>(value);
}

}  // namespace settings_fields

inline void ExpectSameSettings(const TSettings& actual, const TSettings& expected) {
#define ROCKPILE_EXPECT_FIELD(type, field, store, key, written, def, low, high, reset, replay, control) \
    EXPECT_EQ(settings_fields::Comparable(actual.field), settings_fields::Comparable(expected.field))  \
        << "setting " #field ": " << +actual.field << " where " << +expected.field << " was expected";
    ROCKPILE_SETTINGS(ROCKPILE_EXPECT_FIELD)
#undef ROCKPILE_EXPECT_FIELD
}
