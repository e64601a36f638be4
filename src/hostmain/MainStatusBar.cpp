#include <QLabel>
#include <QStatusBar>

#include "Controls.h"
#include "TForm1.h"
#include "dialogs/SteadyLabel.h"
#include "dialogs/WidgetColour.h"

namespace ql {

using namespace controls;

void TForm1::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("StatusBar");
  bar->setSizeGripEnabled(false);
  StatusBarLabels& s = statusLabels_;
  s.link = Label(bar, "StatusLink", "");
  s.loss = Label(bar, "StatusLoss", "");
  s.recording = Label(bar, "StatusRecording", "");
  s.upload = Label(bar, "StatusUpload", "");
  for (QLabel* label : {s.link, s.recording}) label->setAutoFillBackground(true);
  // A gap after each part, so the link, the counts and the file read as separate items.
  for (QLabel* label : {s.link, s.loss, s.recording, s.upload}) label->setContentsMargins(4, 0, 16, 0);
  // A long file name must not widen the window: the recording text gives way first.
  s.recording->setMinimumWidth(1);
  bar->addWidget(s.link);
  bar->addWidget(s.loss);
  bar->addWidget(s.recording, 1);
  bar->addPermanentWidget(s.upload);
  OnResize(s.recording, [this] { ShowRecordingStatus(); });
}

void TForm1::StatusBarTimer() {
  StatusInputs in;
  in.link.com = host_.loggerPort.comIndex;
  in.link.portOpen = host_.ports.IsPortOpen(PortTable::kLoggerSlot);
  in.link.replaying = IsReplayState(host_.recording.state);
  in.link.reconnecting = loggerKeeper_.Reconnecting();
  in.link.bytesRead = host_.receiver.Counters().totalInput;
  in.link.packetsRecognised = host_.receiver.Counters().packetsRecognised;
  in.records.accepted = host_.senders.acceptedTotal;
  in.records.lost = host_.senders.sequenceErrorTotal;
  const Recording& r = host_.recording;
  in.recording.state = r.state;
  in.recording.caption = r.statusText;
  in.recording.fileName = r.currentName;
  in.recording.records = r.recordsWritten;
  in.recording.bytes = r.bytesWritten;
  in.recording.failing = r.failing;
  in.recording.failure = r.failure;
  const UploadState& u = host_.flash.upload;
  in.upload.active = u.runsToUpload != 0;
  in.upload.run = u.runNumber;
  in.upload.received = u.bytesReceived;
  in.upload.expected = u.expectedSize;
  if (!statusBar_.Update(in, host_.pc.UtcMilliseconds())) return;

  const StatusBar::Texts& t = statusBar_.Shown();
  StatusBarLabels& s = statusLabels_;
  // The link and the counts change every second or faster: they keep their size, so the
  // window is not laid out again for each new figure.
  SetSteadyText(s.link, Text(t.link));
  ApplyColour(s.link, t.linkAlarm ? kYellow : kButtonFace, kButtonFace);
  SetSteadyText(s.loss, Text(t.loss));
  SetVisible(s.loss, !t.loss.empty());
  ApplyColour(s.recording, t.recordingAlarm ? kRed : kButtonFace, kButtonFace);
  if (const QString whole = Text(t.recordingWhole); s.recording->toolTip() != whole) s.recording->setToolTip(whole);
  ShowRecordingStatus();
  SetText(s.upload, t.upload);
  SetVisible(s.upload, !t.upload.empty());
}

void TForm1::ShowRecordingStatus() {
  QLabel* label = statusLabels_.recording;
  const QString whole = Text(statusBar_.Shown().recording);
  const QString shown = label->fontMetrics().elidedText(whole, Qt::ElideMiddle, label->contentsRect().width());
  if (label->text() != shown) label->setText(shown);
}

}  // namespace ql
