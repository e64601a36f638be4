#pragma once

#include "common/Operator.h"

namespace ql {

struct HostState;

// "E&xit" asks "EXIT Program?" with caption "Program Termination". While an upload or a
// recording runs, the text first says what leaving would cut short.
Operator::Question ExitQuestion(const HostState& host);

}  // namespace ql
