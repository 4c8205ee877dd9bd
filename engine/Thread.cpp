#include "Thread.h"

#include <exception>
#include <mutex>
#include <utility>
#include <vector>

namespace {

struct PendingHandler {
  TThread* Thread;
  TThread::TNotifyEvent Handler;
};

std::mutex SyncLock;
std::vector<PendingHandler> SyncQueue;
std::function<void()> SyncWakeup;

}  // namespace

TThread::TThread(TNotifyEvent OnTerminate) : FOnTerminate(std::move(OnTerminate)) {}

TThread::~TThread() {
  WaitFor();
  std::lock_guard<std::mutex> lock(SyncLock);
  std::erase_if(SyncQueue, [this](const PendingHandler& pending) { return pending.Thread == this; });
}

void TThread::Start() { FThread = std::thread(&TThread::Run, this); }

void TThread::WaitFor() {
  if (FThread.joinable()) FThread.join();
}

void TThread::Run() {
  try {
    Execute();
  } catch (const std::exception& error) {
    FFatalException = error.what();
  } catch (...) {
    FFatalException = "unknown exception";
  }
  FFinished.store(true);

  std::function<void()> wakeup;
  {
    std::lock_guard<std::mutex> lock(SyncLock);
    if (FOnTerminate) SyncQueue.push_back({this, FOnTerminate});
    wakeup = SyncWakeup;
  }
  if (wakeup) wakeup();
}

// Handlers are taken one at a time, so a handler may free its own or any
// other thread object: a freed thread's handler is no longer in the queue.
bool CheckSynchronize() {
  bool ran = false;
  for (;;) {
    PendingHandler pending;
    {
      std::lock_guard<std::mutex> lock(SyncLock);
      if (SyncQueue.empty()) return ran;
      pending = std::move(SyncQueue.front());
      SyncQueue.erase(SyncQueue.begin());
    }
    pending.Handler(pending.Thread);
    ran = true;
  }
}

void SetSynchronizeWakeup(std::function<void()> Wakeup) {
  std::lock_guard<std::mutex> lock(SyncLock);
  SyncWakeup = std::move(Wakeup);
}
