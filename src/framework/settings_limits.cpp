#include "framework/settings_limits.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>

#include "framework/gameglobals.h"

namespace {

// Within [low, high]; a float that is not a number takes the default, itself
// brought within the range (the range may hang on another setting).
template <class T>
void Clamp(T& value, std::type_identity_t<T> low, std::type_identity_t<T> high, T fallback) {
    if constexpr (std::is_floating_point_v<T>) {
        if (std::isnan(value)) value = fallback;
        value = std::clamp(value, low, high);
    } else if constexpr (std::is_enum_v<T>) {
        using Number = std::underlying_type_t<T>;
        value = static_cast<T>(std::clamp(static_cast<Number>(value), static_cast<Number>(low), static_cast<Number>(high)));
    } else {
        value = std::clamp(value, low, high);
    }
}

}  // namespace

void ClampSettings(TSettings& s) {
    const TSettings defaults;
    // In list order: a range that hangs on another setting sees it in range.
#define CLAMP(type, field, store, key, written, def, low, high, reset, replay, control) \
    Clamp<type>(s.field, low, high, defaults.field);
    ROCKPILE_SETTINGS(CLAMP)
#undef CLAMP
}
