#include "app/QtOperator.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>

namespace ql {
namespace {

int OpenBoxes() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) n += qobject_cast<QMessageBox*>(w) != nullptr && w->isVisible();
  return n;
}

TEST(QtOperatorTest, BoxesRaisedInATickNeverBlockAndStopAtTen) {
  QWidget window;
  QtOperator person;
  person.SetParent(&window);
  person.SetTickRunning(true);
  for (int i = 0; i < 12; ++i) person.Warning("Mux ID Error", "\r\nSender Unit 6 6");  // returns at once
  EXPECT_EQ(OpenBoxes(), QtOperator::kMaxOpenWarnings);

  // Closing one makes room for one more.
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* box = qobject_cast<QMessageBox*>(w); box != nullptr && box->isVisible()) {
      box->close();
      break;
    }
  }
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  person.Warning("Mux ID Error", "again");
  EXPECT_EQ(OpenBoxes(), QtOperator::kMaxOpenWarnings);
  person.Warning("Mux ID Error", "dropped");
  EXPECT_EQ(OpenBoxes(), QtOperator::kMaxOpenWarnings);

  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (qobject_cast<QMessageBox*>(w) != nullptr) w->close();
  }
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(OpenBoxes(), 0);
}

TEST(QtOperatorTest, FileFiltersBecomeQtNameFilters) {
  EXPECT_EQ(QtNameFilters("Raw Files|*.raw|All Files|*.*"), (QStringList{"Raw Files (*.raw)", "All Files (*.*)"}));
  EXPECT_EQ(QtNameFilters("ZR Host Setup (*.zrh)|*.zrh"), QStringList{"ZR Host Setup (*.zrh)"});
  EXPECT_TRUE(QtNameFilters("").isEmpty());
  EXPECT_TRUE(QtNameFilters("Odd").isEmpty());  // a description without a pattern is left out
}

}  // namespace
}  // namespace ql
