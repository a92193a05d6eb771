#pragma once

namespace brenmark {

// What brenmark-probe and the module host agree on.
inline constexpr const char *kLoadProbeProgram = "brenmark-probe"; // in the program directory
inline constexpr int kLoadReportDescriptor = 3; // one byte at start, one per library got through

} // namespace brenmark
