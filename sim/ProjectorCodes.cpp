// Look-ups in the projector's code, power state and orientation tables.
#include "sim/ProjectorCodes.h"

namespace zoma::sim {

std::optional<CodeRow> findCode(std::string_view code) {
    for (const CodeRow& row : kCodeRows) {
        if (row.code == code) return row;
    }
    return std::nullopt;
}

const PowerRow& powerRow(PowerState state) {
    for (const PowerRow& row : kPowerRows) {
        if (row.state == state) return row;
    }
    return kPowerRows[0];  // unreachable: every state has a row
}

std::optional<PowerState> powerStateNamed(std::string_view name) {
    for (const PowerRow& row : kPowerRows) {
        if (row.name == name) return row.state;
    }
    return std::nullopt;
}

const OrientationRow& orientationRow(Orientation orientation) {
    for (const OrientationRow& row : kOrientationRows) {
        if (row.orientation == orientation) return row;
    }
    return kOrientationRows[0];  // unreachable: every orientation has a row
}

std::optional<Orientation> orientationNamed(std::string_view name) {
    for (const OrientationRow& row : kOrientationRows) {
        if (row.name == name) return row.orientation;
    }
    return std::nullopt;
}

}  // namespace zoma::sim
