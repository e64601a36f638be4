#pragma once

#include <string>

namespace ql {

class HostState;

// The Recording page's buttons: each asks for its file through the operator's dialog.
void BTRecordArchiveClick(HostState& host);
void BTRecord1HourClick(HostState& host);
void BTRecord1DayClick(HostState& host);
void BTRecordRawClick(HostState& host);
void ReplayArchiveBTClick(HostState& host);
void ReplayContinuousBTClick(HostState& host);
void BTStopRecordClick(HostState& host);

// Fast tick, steps 2, 7 and 8: the PC clock of the PC logger, its trigger, and the stop
// a replay asked for.
void ReadPcMilliseconds(HostState& host);
void TriggerPcLogger(HostState& host);
void ActOnReplayStop(HostState& host);

// One-second tick, steps 8 and 9: the recording status, the rollover check and the size.
void ShowRecordingStatus(HostState& host);

// The water-sample dialog's time stamp: the PC time text of this moment.
std::string PcTimeTextNow(HostState& host);

}  // namespace ql
