#pragma once

namespace ql {

class HostState;

// The timer ticks of the main window, each step in its fixed order.
void Timer10msTimer(HostState& host);
void Timer475msTimer(HostState& host);
void Timer1000msTimer(HostState& host);

}  // namespace ql
