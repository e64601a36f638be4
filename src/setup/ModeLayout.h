#pragma once

#include "SetupControls.h"
#include "SetupItems.h"

namespace ql {

// Which pairs of once-per-hour column headings ("Once" above "per Hour") show:
// SOPHLB1/SOPHLB2, AOPHLB1/AOPHLB2, POPHLB1/POPHLB2.
struct OncePerHourHeadings {
  bool serial = false;
  bool analog = false;
  bool pump = false;

  bool operator==(const OncePerHourHeadings&) const = default;
};

// The Logger Control page as the logger's mode of operation lays it out.
struct ModeLayout {
  bool moored = false;           // MooredLayout
  bool intervalVisible = false;  // LBSampleInterval, IntervalUD, IntervalEdit, IntervalCombo, BTSleep
  int groupBox7Left = 297;       // "Operational Controls"
  int groupBox7Width = 136;
  int beginStopLeft = 8;  // BTBegin and BTStop
  OncePerHourHeadings headings;
  bool hideOncePerHourBoxes = true;   // every SOPH/AOPH/POPH box hidden (and unchecked)
  bool polledButtonsVisible = false;  // Button1..Button4

  bool operator==(const ModeLayout&) const = default;
};

// Headings of a moored layout: a pair shows while any port label of its group shows.
OncePerHourHeadings MooredHeadings(const PortRowsShown& portLabels);

// Outside the moored modes every port is sampled every time: no box stays checked.
void UncheckOncePerHour(SetupControls& controls);

// Lays the page out for the mode in ModeCB; outside the moored modes this also unchecks
// every once-per-hour box in `controls`.
ModeLayout ApplyModeLayout(SetupControls& controls, const PortRowsShown& portLabels);

// The same with the moored choice made by the caller (a host mode that stands for a
// moored run); the polled buttons still follow ModeCB.
ModeLayout ApplyModeLayout(SetupControls& controls, bool moored, const PortRowsShown& portLabels);

}  // namespace ql
