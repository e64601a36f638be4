#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
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

void TForm1::SyncRecordPage() {
  const Recording& r = host_.recording;
  RecordPageControls& p = record_;
  for (QPushButton* button : p.StartButtons()) button->setEnabled(r.StartButtonsEnabled());
  if (!r.statusText.empty()) {
    SetText(p.LBRecordStatus, r.statusText);
    const int tab = Tabs->indexOf(p.TSRecord);
    if (Tabs->tabText(tab) != Text(r.statusText)) Tabs->setTabText(tab, Text(r.statusText));
    SetText(p.LBArchiveFileSize, r.fileSizeText);
  }
  ApplyColour(p.LBRecordStatus, r.failing ? kRed : kButtonFace, kButtonFace);
  SetText(p.LBArchiveFileName, r.fileNameLabel);
  SetValue(p.ReplaySpeedUD, r.replay.speed);
  const auto& shown = r.replay.controlsVisible;
  SetVisible(p.ReplayArchiveBT, shown[0]);
  SetVisible(p.ReplayContinuousBT, shown[1]);
  SetVisible(p.ReplaySpeedLB1, shown[2]);
  SetVisible(p.ReplaySpeedLB2, shown[3]);
  SetVisible(p.ReplaySpeedUD, shown[4] || shown[5]);
}

}  // namespace ql
