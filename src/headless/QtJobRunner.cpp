#include "QtJobRunner.h"

#include <QEventLoop>
#include <QTimer>
#include <csignal>

#include "HeadlessHost.h"

namespace ql {
namespace {

volatile std::sig_atomic_t g_stopRequested = 0;

void OnStopSignal(int) { g_stopRequested = 1; }

QTimer* MakeTimer(QObject* parent, int intervalMs) {
  auto* timer = new QTimer(parent);
  timer->setInterval(intervalMs);
  timer->setTimerType(Qt::PreciseTimer);
  return timer;
}

}  // namespace

Job::Outcome RunWithTimers(HeadlessHost& host, JobDriver& driver) {
  QEventLoop loop;
  QTimer* fast = MakeTimer(&loop, 5);
  QTimer* second = MakeTimer(&loop, 1000);
  QTimer* timeout = MakeTimer(&loop, 1500);
  // After every tick: the upload timeout runs exactly while the upload asks for it, and
  // the loop ends with the job.
  auto after = [&] {
    if (host.TimeoutRunning() != timeout->isActive()) {
      if (host.TimeoutRunning()) {
        timeout->start();
      } else {
        timeout->stop();
      }
    }
    if (driver.Finished()) loop.quit();
  };
  QObject::connect(fast, &QTimer::timeout, &loop, [&] {
    if (g_stopRequested != 0) driver.Interrupt();
    driver.FastTick();
    after();
  });
  QObject::connect(second, &QTimer::timeout, &loop, [&] {
    driver.SecondTick();
    after();
  });
  QObject::connect(timeout, &QTimer::timeout, &loop, [&] {
    driver.TimeoutTick();
    after();
  });
  g_stopRequested = 0;
  const auto oldInt = std::signal(SIGINT, OnStopSignal);
  const auto oldTerm = std::signal(SIGTERM, OnStopSignal);
  fast->start();
  second->start();
  loop.exec();
  std::signal(SIGINT, oldInt);
  std::signal(SIGTERM, oldTerm);
  return driver.Outcome();
}

}  // namespace ql
