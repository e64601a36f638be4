#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>

#include "Controls.h"
#include "TForm1.h"
#include "dialogs/TForm2.h"
#include "dialogs/TMuxIDForm.h"
#include "dialogs/TSleepForm.h"
#include "dialogs/WidgetColour.h"
#include "setup/PortDeviceType.h"

namespace ql {

using namespace controls;

void TForm1::BuildDataStatusPage() {
  DataStatusPage& p = dataStatus_;
  QWidget* page = p.TSDataStatus = pages_[kTSDataStatus];
  auto* grid = new QGridLayout(page);
  for (int i = 0; i < 8; ++i) {
    StatusPortRow& r = p.ports[static_cast<size_t>(i)];
    const QString n = QString::number(i + 1);
    r.MLabel = Label(page, "M" + n + "Label", QString("Port %1:").arg(i + 1));
    r.MTypeLabel = Label(page, "M" + n + "TypeLabel", "OFF");
    r.MBPSLabel = Label(page, "M" + n + "BPSLabel", "Bytes/Second:");
    r.MStatusLabel = Label(page, "M" + n + "StatusLabel", "0");
    r.MFSLabel = Label(page, "M" + n + "FSLabel", "File Size:");
    r.MFileSizeLabel = Label(page, "M" + n + "FileSizeLabel", "0 K");
    int column = 0;
    for (QLabel* l : {r.MLabel, r.MTypeLabel, r.MBPSLabel, r.MStatusLabel, r.MFSLabel, r.MFileSizeLabel}) {
      grid->addWidget(l, i, column++);
    }
  }
  p.LBAnalog = Label(page, "LBAnalog", "Analog Inputs");
  grid->addWidget(p.LBAnalog, 9, 0, 1, 2);
  for (int i = 0; i < 7; ++i) {
    const QString n = QString::number(i + 1);
    p.LBA[static_cast<size_t>(i)] = Label(page, "LBA" + n, "Analog " + n + ":");
    p.Analog[static_cast<size_t>(i)] = Label(page, "Analog" + n, "0.000");
    grid->addWidget(p.LBA[static_cast<size_t>(i)], 10 + i, 0);
    grid->addWidget(p.Analog[static_cast<size_t>(i)], 10 + i, 1);
  }
  p.AnalogFS = Label(page, "AnalogFS", "Analog File Size:  ");
  p.AnalogFileSizeLabel = Label(page, "AnalogFileSizeLabel", "0");
  grid->addWidget(p.AnalogFS, 10, 4);
  grid->addWidget(p.AnalogFileSizeLabel, 10, 5);
  // Each column is as wide as the widest text it can get, so that nothing moves
  // sideways while the figures change width once a second.
  const QFontMetrics metrics(page->font());
  auto widest = [&metrics](std::initializer_list<const char*> texts) {
    int width = 0;
    for (const char* t : texts) width = std::max(width, metrics.horizontalAdvance(QString::fromLatin1(t)));
    return width;
  };
  int types = 0;
  for (const char* type : kDeviceTypeItems) types = std::max(types, widest({type}));
  grid->setColumnMinimumWidth(1, std::max(types, widest({"-00.000"})));
  grid->setColumnMinimumWidth(2, widest({"Bytes/Second:", "Bytes/Record:"}));
  grid->setColumnMinimumWidth(3, widest({"-00000000"}));
  grid->setColumnMinimumWidth(5, widest({"0000000 K", "0000000 k"}));
  grid->setColumnStretch(6, 1);
  grid->setRowStretch(17, 1);
}

void TForm1::ApplyReceivedSetup(const ReceivedSetupView& view) {
  for (size_t i = 0; i < dataStatus_.ports.size(); ++i) {
    SetText(dataStatus_.ports[i].MTypeLabel, view.typeLabels[i]);
    SetText(dataStatus_.ports[i].MStatusLabel, view.statusLabels[i]);
    SetText(dataStatus_.ports[i].MFileSizeLabel, view.fileSizeLabels[i]);
  }
  for (size_t i = 0; i < dataStatus_.Analog.size(); ++i) SetText(dataStatus_.Analog[i], view.analogValues[i]);
}

void TForm1::ApplyStatus(const StatusDisplay& d) {
  LeftColumn& l = left_;
  ApplyColour(l.LoggerStatusGB, d.groupColour, kButtonFace);
  if (l.LoggerStatusGB->height() != d.groupHeight) {
    l.LoggerStatusGB->resize(l.LoggerStatusGB->width(), d.groupHeight);
    host_.layoutDirty = true;
  }
  SetVisible(l.LBDandT, d.dateTimeVisible);
  if (d.remoteHostVisible) SetVisible(l.RemoteHostPanel, *d.remoteHostVisible);

  if (d.rowCaptions) {
    for (size_t i = 0; i < 8; ++i) {
      SetText(portSetup_.serial[i].LBS, (*d.rowCaptions)[i]);
      SetText(dataStatus_.ports[i].MLabel, (*d.rowCaptions)[i]);
    }
  }
  if (d.ports) {
    const PortVisibility& v = *d.ports;
    SetText(portSetup_.HostType, v.hostType);
    for (size_t i = 0; i < 8; ++i) {
      const StatusPortRow& r = dataStatus_.ports[i];
      for (QLabel* w : {r.MLabel, r.MBPSLabel, r.MFSLabel, r.MTypeLabel, r.MStatusLabel, r.MFileSizeLabel}) {
        SetVisible(w, v.rows.serial[i]);
      }
    }
    for (size_t i = 0; i < 7; ++i) {
      SetVisible(dataStatus_.LBA[i], v.rows.analog[i]);
      SetVisible(dataStatus_.Analog[i], v.rows.analog[i]);
    }
    SetVisible(dataStatus_.AnalogFS, v.analogFileSizeVisible);
    SetVisible(dataStatus_.AnalogFileSizeLabel, v.analogFileSizeVisible);
    SetVisible(portSetup_.LBSerial, v.serialCaptionVisible);
    SetVisible(portSetup_.LBAnalogSetup, v.analogCaptionVisible);
    SetVisible(dataStatus_.LBAnalog, v.analogCaptionVisible);
    SetVisible(portSetup_.LBPump, v.pumpCaptionVisible);
  }

  if (dialogs_.muxIdForm != nullptr) {
    dialogs_.muxIdForm->SetCurrentId(d.currentMuxId);
    if (d.askLoggerId && dialogs_.muxIdForm->isHidden()) dialogs_.muxIdForm->show();
  }
  if (d.runStop) {
    SetVisible(l.LBRunStop, d.runStop->visible);
    SetText(l.LBRunStop, d.runStop->text);
  }
  SetText(l.LBRunNumber, d.runNumber);
  SetText(l.LBRunSize, d.runSize);
  SetText(l.LBPower, d.power);
  if (d.firmwareWarning && dialogs_.form2 != nullptr) dialogs_.form2->ShowWarning(*d.firmwareWarning);

  SetText(l.LBDandT, d.loggerDateTime);
  if (dialogs_.sleepForm != nullptr) dialogs_.sleepForm->SetLoggerTime(d.sleepTime, d.sleepDate);
  SetVisible(l.LBDrift, d.drift.visible);
  SetText(l.LBDrift, d.drift.text);
  ApplyColour(l.LBOperation, d.operationColour, kButtonFace);
  SetText(l.LBOperation, d.operation);
  SetText(l.LBTimeLeft, d.timeLeft);
  SetText(l.LBCurrentV, d.currentVolts);
  SetText(l.LBStartV, d.startVolts);
  SetText(l.LBEndV, d.endVolts);
  SetText(l.LBFreeDisk, d.freeDisk);
  SetText(l.LBTotalDisk, d.totalDisk);
  for (size_t i = 0; i < dataStatus_.Analog.size(); ++i) SetText(dataStatus_.Analog[i], d.analogValues[i]);
  SetText(dataStatus_.AnalogFileSizeLabel, d.analogFileSize);
  for (size_t i = 0; i < dataStatus_.ports.size(); ++i) {
    const StatusPortRow& r = dataStatus_.ports[i];
    SetText(r.MBPSLabel, d.portRows[i].rateCaption);
    SetText(r.MStatusLabel, d.portRows[i].rate);
    SetText(r.MFileSizeLabel, d.portRows[i].fileSize);
  }
}

void TForm1::ApplyPendingDisplay() {
  PendingDisplay& pending = host_.pending;
  if (pending.setup) ApplyReceivedSetup(*pending.setup);
  if (pending.status) ApplyStatus(*pending.status);
  if (pending.setup || pending.status || pending.setupControls) SyncSetupPages();
  pending = PendingDisplay{};
}


}  // namespace ql
