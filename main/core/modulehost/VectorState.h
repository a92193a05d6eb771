#pragma once

namespace brenmark {

// Code outside the host (modules and the libraries they bring) may leave the
// upper halves of the AVX registers in use. Until they are cleared again,
// every SSE instruction of the host pays for a state transition: on the
// processors seen, that alone doubled the time of a preview over 100,000
// files. Called after every module call and library load, and where a
// thread of the host starts (a thread begins with its creator's state).
// Costs next to nothing when there is nothing to clear; does nothing on
// processors without AVX.
void clearUpperVectorState();

} // namespace brenmark
