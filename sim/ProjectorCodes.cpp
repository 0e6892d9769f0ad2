// Look-ups in the projector's code, power state and orientation tables.
#include "sim/ProjectorCodes.h"

namespace zoma::sim {

namespace {

// The first row of the table that `matches`, or nothing.
template <typename Row, std::size_t N, typename Match>
const Row* firstRow(const Row (&table)[N], Match matches) {
    for (const Row& row : table) {
        if (matches(row)) return &row;
    }
    return nullptr;
}

}  // namespace

std::optional<CodeRow> findCode(std::string_view code) {
    const CodeRow* row = firstRow(kCodeRows, [&](const CodeRow& r) { return r.code == code; });
    return row != nullptr ? std::optional<CodeRow>(*row) : std::nullopt;
}

const PowerRow& powerRow(PowerState state) {
    const PowerRow* row = firstRow(kPowerRows, [&](const PowerRow& r) { return r.state == state; });
    return row != nullptr ? *row : kPowerRows[0];  // every state has a row
}

std::optional<PowerState> powerStateNamed(std::string_view name) {
    const PowerRow* row = firstRow(kPowerRows, [&](const PowerRow& r) { return r.name == name; });
    return row != nullptr ? std::optional<PowerState>(row->state) : std::nullopt;
}

const OrientationRow& orientationRow(Orientation orientation) {
    const OrientationRow* row = firstRow(
        kOrientationRows, [&](const OrientationRow& r) { return r.orientation == orientation; });
    return row != nullptr ? *row : kOrientationRows[0];  // every orientation has a row
}

std::optional<Orientation> orientationNamed(std::string_view name) {
    const OrientationRow* row =
        firstRow(kOrientationRows, [&](const OrientationRow& r) { return r.name == name; });
    return row != nullptr ? std::optional<Orientation>(row->orientation) : std::nullopt;
}

}  // namespace zoma::sim
