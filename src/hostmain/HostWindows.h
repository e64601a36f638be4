#pragma once

#include <filesystem>
#include <memory>

#include "TForm1.h"
#include "dialogs/TAnnotationForm.h"
#include "dialogs/TForm2.h"
#include "dialogs/TMuxIDForm.h"
#include "dialogs/TRS422Form.h"
#include "dialogs/TSleepForm.h"
#include "dialogs/TStatsForm.h"
#include "dialogs/TTestPortForm.h"

namespace ql {

// Every window of the program, created at once in their fixed order: the main window
// first, then the dialogs, which are afterwards only shown and hidden. The main window
// owns the dialogs; they go with it.
struct HostWindows {
  std::unique_ptr<TForm1> form1;
  TForm2* form2 = nullptr;
  TSleepForm* sleepForm = nullptr;
  TRS422Form* rs422Form = nullptr;
  TAnnotationForm* annotationForm = nullptr;
  TTestPortForm* testPortForm = nullptr;
  TStatsForm* statsForm = nullptr;
  TMuxIDForm* muxIdForm = nullptr;
};

HostWindows CreateHostWindows(SerialDeviceFactory deviceFactory, Clock& clock, Operator& op,
                              const std::filesystem::path& startDirectory);

}  // namespace ql
