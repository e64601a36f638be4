#include <QButtonGroup>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "Controls.h"
#include "TForm1.h"
#include "common/Operator.h"
#include "flash/DirectoryEntry.h"
#include "flash/LoggerDirectory.h"
#include "flash/RunExtraction.h"
#include "flash/RunUpload.h"

namespace ql {

using namespace controls;

namespace {

constexpr const char* kHeader = kRunListHeader;

}  // namespace

void TForm1::BuildUploadPage() {
  UploadPageControls& p = upload_;
  QWidget* page = p.TSUpload = pages_[kTSUpload];
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

  p.LBProfiles = new QListWidget(page);
  p.LBProfiles->setObjectName("LBProfiles");
  p.LBProfiles->setFont(fixed);
  // The headings start where the list's lines start: past its frame and the margin an
  // item's text keeps.
  const int textLeft = p.LBProfiles->frameWidth() +
                       p.LBProfiles->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, p.LBProfiles) + 1;
  p.LBHeader = Label(page, "LBHeader", kHeader);
  p.LBHeader->setFont(fixed);
  p.LBHeader->setIndent(textLeft);
  // "Voltage" sits over the Start and End columns of the header.
  p.Label31 = Label(page, "Label31", "Voltage");
  p.Label31->setFont(fixed);
  p.Label31->setIndent(textLeft +
                       QFontMetrics(fixed).horizontalAdvance(QString(kHeader).left(QString(kHeader).indexOf("Start"))));
  p.LBProfiles->setSelectionMode(QAbstractItemView::ExtendedSelection);

  p.ExtractFilesRG = new QGroupBox("Extract File Types", page);
  p.ExtractFilesRG->setObjectName("ExtractFilesRG");
  p.extractChoices = new QButtonGroup(p.ExtractFilesRG);
  auto* choices = new QVBoxLayout(p.ExtractFilesRG);
  for (const char* item : {"ZR Archive", "ZR Archive Plus Raw Files"}) {
    auto* radio = new QRadioButton(item, p.ExtractFilesRG);
    p.extractChoices->addButton(radio, p.extractChoices->buttons().size());
    choices->addWidget(radio);
  }

  p.BTGetDirectory = Button(page, "BTGetDirectory", "Get Logger Directory");
  p.BTClearMemory = Button(page, "BTClearMemory", "Clear Logger Memory");
  p.BTUpload = Button(page, "BTUpload", "Upload Logger Data");
  p.BTCancelUpload = Button(page, "BTCancelUpload", "Cancel Upload");
  p.BTExtract = Button(page, "BTExtract", "Parse Run Files");
  p.UpLoadPB = new QProgressBar(page);
  p.UpLoadPB->setObjectName("UpLoadPB");
  p.UpLoadPB->setRange(0, 100);
  p.UpLoadPB->setValue(0);
  p.UpLoadRun = Label(page, "UpLoadRun", "Run.xxx");
  p.UpLoadSize = Label(page, "UpLoadSize", "File Size: ");
  p.CSError = Label(page, "CSError", "");

  auto* grid = new QGridLayout(page);
  grid->addWidget(p.Label31, 0, 0);
  grid->addWidget(p.LBHeader, 1, 0);
  grid->addWidget(p.LBProfiles, 2, 0, 6, 1);
  grid->addWidget(p.BTGetDirectory, 2, 1);
  grid->addWidget(p.BTUpload, 3, 1);
  grid->addWidget(p.BTCancelUpload, 4, 1);
  grid->addWidget(p.ExtractFilesRG, 5, 1);
  grid->addWidget(p.BTExtract, 6, 1, Qt::AlignTop);
  grid->addWidget(p.BTClearMemory, 7, 1);
  grid->addWidget(p.UpLoadRun, 8, 0);
  grid->addWidget(p.UpLoadSize, 9, 0);
  grid->addWidget(p.CSError, 10, 0);
  grid->addWidget(p.UpLoadPB, 11, 0, 1, 2);
  grid->setRowStretch(6, 1);
  grid->setColumnStretch(0, 1);

  connect(p.BTGetDirectory, &QPushButton::clicked, this, &TForm1::BTGetDirectoryClick);
  connect(p.BTClearMemory, &QPushButton::clicked, this, &TForm1::BTClearMemoryClick);
  connect(p.BTUpload, &QPushButton::clicked, this, &TForm1::BTUploadClick);
  connect(p.BTCancelUpload, &QPushButton::clicked, this, &TForm1::BTCancelUploadClick);
  connect(p.BTExtract, &QPushButton::clicked, this, &TForm1::BTExtractClick);
  connect(p.extractChoices, &QButtonGroup::idClicked, this, [this](int index) {
    host_.flash.page.extractFiles = index;
  });
}

void TForm1::BTGetDirectoryClick() {
  ql::BTGetDirectoryClick(host_.flash, host_.statusMemory.loggerState, host_.statusMemory.loggerName);
  SyncUploadPage();
}

void TForm1::BTClearMemoryClick() {
  ql::BTClearMemoryClick(host_.flash);
  SyncUploadPage();
}

void TForm1::BTExtractClick() {
  // ExtractDialog: the run file to split, with the extraction choice shown on the page.
  const int choice = host_.flash.page.extractFiles;
  Operator::FileDialog dialog;
  dialog.title = "Extract Run File";
  dialog.filter = "Run Files|Run.*|All Files|*.*";
  const std::optional<std::string> name = host_.op.OpenFile(dialog);
  if (!name) return;
  ExtractRunBeside(*name, choice, host_.debugFile, host_.extraction, host_.op);
}

void TForm1::BTUploadClick() {
  std::vector<int> lines;
  for (const QModelIndex& index : upload_.LBProfiles->selectionModel()->selectedRows()) lines.push_back(index.row());
  std::sort(lines.begin(), lines.end());
  ql::BTUploadClick(host_.flash, lines, [this](const std::string& proposed) {
    Operator::FileDialog dialog;
    dialog.title = kLogSaveDialogTitle;
    dialog.filter = kLogSaveDialogFilter;
    dialog.fileName = proposed;
    dialog.overwritePrompt = true;
    return host_.op.SaveFile(dialog);
  });
  SyncUploadPage();
}

void TForm1::BTCancelUploadClick() { ql::BTCancelUploadClick(host_.flash); }

void TForm1::SyncUploadPage() {
  UploadPageControls& p = upload_;
  const UploadPageView& v = host_.flash.page;
  SetText(p.BTClearMemory, host_.uploadCaptions.clearMemory);
  SetText(p.BTGetDirectory, host_.uploadCaptions.getDirectory);

  // Lines are only ever added at the end or all taken away.
  QListWidget* list = p.LBProfiles;
  const int shown = list->count();
  if (shown > static_cast<int>(v.profiles.size()) ||
      (shown > 0 && list->item(shown - 1)->text() != Text(v.profiles[static_cast<size_t>(shown - 1)]))) {
    list->clear();
  }
  for (size_t i = static_cast<size_t>(list->count()); i < v.profiles.size(); ++i) list->addItem(Text(v.profiles[i]));

  SetText(p.CSError, v.csError);
  SetText(p.UpLoadRun, v.upLoadRun);
  SetText(p.UpLoadSize, v.upLoadSize);
  if (p.UpLoadPB->maximum() != v.progressMax) p.UpLoadPB->setRange(0, v.progressMax);
  if (p.UpLoadPB->value() != v.progressPosition) p.UpLoadPB->setValue(v.progressPosition);

  if (QAbstractButton* chosen = p.extractChoices->button(v.extractFiles)) {
    if (!chosen->isChecked()) chosen->setChecked(true);
  } else if (p.extractChoices->checkedButton() != nullptr) {
    p.extractChoices->setExclusive(false);
    p.extractChoices->checkedButton()->setChecked(false);
    p.extractChoices->setExclusive(true);
  }
}

void TForm1::SyncUploadTimer() {
  QTimer* timeout = timers_.TTimeout;
  if (host_.flash.upload.timeoutEnabled != timeout->isActive()) {
    if (host_.flash.upload.timeoutEnabled) {
      timeout->start();
    } else {
      timeout->stop();
    }
  }
}

}  // namespace ql
