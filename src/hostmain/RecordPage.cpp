#include <algorithm>

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>

#include "Controls.h"
#include "TForm1.h"
#include "cycle/RecordActions.h"
#include "dialogs/WidgetColour.h"

namespace ql {

using namespace controls;

void TForm1::BuildRecordPage() {
  RecordPageControls& p = record_;
  QWidget* page = p.TSRecord = pages_[kTSRecord];
  p.BTRecordArchive = Button(page, "BTRecordArchive", "Record Archive");
  p.BTRecord1Hour = Button(page, "BTRecord1Hour", "1 Hour Archive Files");
  p.BTRecord1Day = Button(page, "BTRecord1Day", "1 Day Archive Files");
  p.BTRecordRaw = Button(page, "BTRecordRaw", "Record Raw Input");
  p.BTRecordRaw->hide();
  p.BTStopRecord = Button(page, "BTStopRecord", "Stop");
  p.ReplayArchiveBT = Button(page, "ReplayArchiveBT", "Replay Archive");
  p.ReplayContinuousBT = Button(page, "ReplayContinuousBT", "Continuous Archive Replay");
  p.ReplaySpeedLB1 = Label(page, "ReplaySpeedLB1", "Replay Speed");
  p.ReplaySpeedLB2 = Label(page, "ReplaySpeedLB2", "1 = Slow, 10 = Fast");
  p.ReplaySpeedUD = UpDown(page, "ReplaySpeedUD", ReplayState::kSlowest, ReplayState::kFastest, 6);
  p.ReplaySpeedUD->findChild<QLineEdit*>()->setObjectName("ReplaySpeedEdit");
  p.LBRecordStatus = Label(page, "LBRecordStatus", "Recording:  OFF");
  p.LBArchiveFileName = Label(page, "LBArchiveFileName", "Archive File:");
  p.LBArchiveFileSize = Label(page, "LBArchiveFileSize", "File Size:         0 K");

  auto* grid = new QGridLayout(page);
  grid->addWidget(p.BTRecordArchive, 0, 0);
  grid->addWidget(p.BTRecord1Hour, 1, 0);
  grid->addWidget(p.BTRecord1Day, 2, 0);
  grid->addWidget(p.BTRecordRaw, 3, 0);
  grid->addWidget(p.BTStopRecord, 4, 0);
  grid->addWidget(p.LBRecordStatus, 0, 1, 1, 3);
  grid->addWidget(p.LBArchiveFileName, 1, 1, 1, 3);
  grid->addWidget(p.LBArchiveFileSize, 2, 1, 1, 3);
  grid->addWidget(p.ReplayArchiveBT, 6, 0);
  grid->addWidget(p.ReplayContinuousBT, 7, 0);
  grid->addWidget(p.ReplaySpeedLB1, 6, 1);
  grid->addWidget(p.ReplaySpeedUD, 6, 2);
  grid->addWidget(p.ReplaySpeedLB2, 7, 1, 1, 2);
  grid->setRowMinimumHeight(5, 24);
  grid->setRowStretch(8, 1);
  grid->setColumnStretch(3, 1);

  auto click = [this](QPushButton* button, void (*action)(HostState&)) {
    connect(button, &QPushButton::clicked, this, [this, action] {
      action(host_);
      SyncRecordPage();
    });
  };
  click(p.BTRecordArchive, BTRecordArchiveClick);
  click(p.BTRecord1Hour, BTRecord1HourClick);
  click(p.BTRecord1Day, BTRecord1DayClick);
  click(p.BTRecordRaw, BTRecordRawClick);
  click(p.BTStopRecord, BTStopRecordClick);
  click(p.ReplayArchiveBT, ReplayArchiveBTClick);
  click(p.ReplayContinuousBT, ReplayContinuousBTClick);
  connect(p.ReplaySpeedUD, &QSpinBox::valueChanged, this, [this](int speed) { host_.recording.replay.speed = speed; });
}

void TForm1::MenuReplayClick() {
  host_.recording.replay.controlsVisible.fill(false);
  SyncRecordPage();
}

void TForm1::FilesReplayClick(bool continuous) {
  (continuous ? ReplayContinuousBTClick : ReplayArchiveBTClick)(host_);
  // The replay's speed and Stop are on the Recording page.
  if (IsReplayState(host_.recording.state)) Tabs->setCurrentWidget(record_.TSRecord);
  SyncRecordPage();
}

// The recording tab takes the room the other captions leave in the tab bar, up to the
// length of the longest recording state, so no other caption is ever cut for it; the rest
// of a long caption (a replay's time, a failure's reason) is in its tooltip and the status
// bar. Worked out again only when the caption, the bar's width or the pages shown change.
void TForm1::FitRecordingTab() {
  const int tab = Tabs->indexOf(record_.TSRecord);
  const QString whole = Text(host_.recording.statusText);
  if (whole.isEmpty()) return;  // the caption as built stays until a recording state is known
  RecordingTabFit fit{whole, Tabs->width(), 0};
  for (int i = 0; i < Tabs->count(); ++i) fit.pagesShown |= Tabs->isTabVisible(i) ? 1u << i : 0u;
  if (fit == recordingTabFit_) return;
  recordingTabFit_ = fit;

  QTabBar* bar = Tabs->tabBar();
  const QFontMetrics metrics = bar->fontMetrics();
  const int others = bar->sizeHint().width() - metrics.horizontalAdvance(Tabs->tabText(tab));
  const int room = std::min(Tabs->width() - kTabBarSlack - others, metrics.horizontalAdvance("Recording:  24 Hour Archive"));
  // Elided text is measured in fractions of a pixel: a caption as wide as the room is
  // shown whole rather than cut for rounding.
  const QString shown = metrics.horizontalAdvance(whole) <= room
                            ? whole
                            : metrics.elidedText(whole, Qt::ElideRight, std::max(room, metrics.horizontalAdvance("Recording:")));
  if (Tabs->tabText(tab) != shown) Tabs->setTabText(tab, shown);
  if (Tabs->tabToolTip(tab) != whole) Tabs->setTabToolTip(tab, whole);
}

void TForm1::SyncRecordPage() {
  const Recording& r = host_.recording;
  RecordPageControls& p = record_;
  for (QPushButton* button : p.StartButtons()) button->setEnabled(r.StartButtonsEnabled());
  menus_.FilesReplayArchive->setEnabled(r.StartButtonsEnabled());
  menus_.FilesReplayContinuous->setEnabled(r.StartButtonsEnabled());
  if (!r.statusText.empty()) {
    SetText(p.LBRecordStatus, r.statusText);
    FitRecordingTab();
    SetText(p.LBArchiveFileSize, r.fileSizeText);
  }
  ApplyColour(p.LBRecordStatus, r.failing ? kRed : kButtonFace, kButtonFace);
  SetText(p.LBArchiveFileName, r.fileNameLabel);
  SetValue(p.ReplaySpeedUD, r.replay.speed);
  // A replay that runs shows its controls, whatever the mode hid; the choice the host
  // setup keeps is left as it was.
  const bool replaying = IsReplayState(r.state);
  const auto& shown = r.replay.controlsVisible;
  SetVisible(p.ReplayArchiveBT, shown[0] || replaying);
  SetVisible(p.ReplayContinuousBT, shown[1] || replaying);
  SetVisible(p.ReplaySpeedLB1, shown[2] || replaying);
  SetVisible(p.ReplaySpeedLB2, shown[3] || replaying);
  SetVisible(p.ReplaySpeedUD, shown[4] || shown[5] || replaying);
}

}  // namespace ql
