#include "JobDriver.h"

#include "HeadlessHost.h"

namespace ql {

void JobDriver::FastTick() {
  if (Finished()) return;
  host_.FastTick();
  AfterTick();
}

void JobDriver::SecondTick() {
  if (Finished()) return;
  host_.SecondTick();
  AfterTick();
}

void JobDriver::TimeoutTick() {
  if (Finished()) return;
  host_.TimeoutTick();
  AfterTick();
}

void JobDriver::Interrupt() {
  if (Finished()) return;
  outcome_ = job_.Interrupt();
  PassMessages();
}

void JobDriver::AfterTick() {
  outcome_ = job_.Poll(host_);
  PassMessages();
}

void JobDriver::PassMessages() {
  for (const std::string& m : host_.Person().TakeMessages()) {
    if (messages_) messages_(m);
  }
}

}  // namespace ql
