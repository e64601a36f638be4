#include "HostWindows.h"

namespace ql {

HostWindows CreateHostWindows(SerialDeviceFactory deviceFactory, Clock& clock, Operator& op,
                              const std::filesystem::path& startDirectory) {
  HostWindows w;
  w.form1 = std::make_unique<TForm1>(std::move(deviceFactory), clock, op, startDirectory);
  QWidget* owner = w.form1.get();
  w.form2 = new TForm2(owner);
  w.sleepForm = new TSleepForm(w.form1->Host(), owner);
  w.rs422Form = new TRS422Form(w.form1->Host().sender, owner);
  w.annotationForm = new TAnnotationForm(w.form1->Host(), owner);
  w.testPortForm = new TTestPortForm(w.form1->Host(), owner);
  w.statsForm = new TStatsForm(w.form1->Host().stats, owner);
  w.muxIdForm = new TMuxIDForm(w.form1->Host(), owner);
  Dialogs dialogs;
  dialogs.form2 = w.form2;
  dialogs.sleepForm = w.sleepForm;
  dialogs.rs422Form = w.rs422Form;
  dialogs.testPortForm = w.testPortForm;
  dialogs.statsForm = w.statsForm;
  dialogs.muxIdForm = w.muxIdForm;
  dialogs.annotationForm = w.annotationForm;
  w.form1->AttachDialogs(dialogs);
  return w;
}

}  // namespace ql
