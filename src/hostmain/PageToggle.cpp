#include <QAction>
#include <QTabWidget>
#include <tuple>

#include "TForm1.h"

namespace ql {

void TForm1::TogglePage(QWidget* page, QAction* menuItem, const PageToggleCaptions& captions) {
  const int index = Tabs->indexOf(page);
  if (Tabs->isTabVisible(index)) {
    menuItem->setText(captions.show);
    if (Tabs->currentIndex() == index) {
      for (int step = 1; step < Tabs->count(); ++step) {
        const int next = (index + step) % Tabs->count();
        if (Tabs->isTabVisible(next)) {
          Tabs->setCurrentIndex(next);
          break;
        }
      }
    }
    Tabs->setTabVisible(index, false);
  } else {
    Tabs->setTabVisible(index, true);
    Tabs->setCurrentIndex(index);
    menuItem->setText(captions.hide);
  }
}

void TForm1::RefreshPageToggles() {
  // A host mode that hides a page leaves its menu item offering to show it again.
  for (auto [page, item, captions] : {std::tuple{hardware_.TSHardware, hardware_.HardwareConfig, kHardwareToggle},
                                      std::tuple{analog_.TSAnalog, analog_.AnalogCal, kAnalogToggle}}) {
    if (!Tabs->isTabVisible(Tabs->indexOf(page)) && item->text() == captions.hide) item->setText(captions.show);
  }
}

}  // namespace ql
