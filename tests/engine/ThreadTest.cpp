// The portable thread: Execute on its own thread, OnTerminate on the thread
// that calls CheckSynchronize, after Execute has returned.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "Thread.h"

namespace {

class BodyThread : public TThread {
 public:
  BodyThread(std::function<void()> body, TNotifyEvent onTerminate) : TThread(std::move(onTerminate)), FBody(std::move(body)) {
    Start();
  }
  ~BodyThread() override { WaitFor(); }

 protected:
  void Execute() override { FBody(); }

 private:
  std::function<void()> FBody;
};

class ThreadTest : public ::testing::Test {
 protected:
  void TearDown() override { SetSynchronizeWakeup(nullptr); }
};

}  // namespace

TEST_F(ThreadTest, HandlerRunsOnTheSynchronizingThreadAfterExecute) {
  std::atomic<int> wakeups{0};
  SetSynchronizeWakeup([&] { ++wakeups; });
  std::thread::id executedOn, handledOn;
  TThread* sender = nullptr;
  bool finishedWhenHandled = false;

  BodyThread worker([&] { executedOn = std::this_thread::get_id(); },
                    [&](TThread* t) {
                      handledOn = std::this_thread::get_id();
                      sender = t;
                      finishedWhenHandled = t->Finished();
                    });
  worker.WaitFor();
  EXPECT_EQ(wakeups, 1);
  EXPECT_EQ(sender, nullptr);  // queued, not yet run

  EXPECT_TRUE(CheckSynchronize());
  EXPECT_FALSE(CheckSynchronize());
  EXPECT_NE(executedOn, std::this_thread::get_id());
  EXPECT_EQ(handledOn, std::this_thread::get_id());
  EXPECT_EQ(sender, &worker);
  EXPECT_TRUE(finishedWhenHandled);
  EXPECT_TRUE(worker.FatalException().empty());
}

TEST_F(ThreadTest, ExceptionOfExecuteIsKeptAndHandlerStillRuns) {
  bool handled = false;
  BodyThread worker([] { throw std::runtime_error("disk on fire"); }, [&](TThread*) { handled = true; });
  worker.WaitFor();
  EXPECT_EQ(worker.FatalException(), "disk on fire");
  EXPECT_TRUE(CheckSynchronize());
  EXPECT_TRUE(handled);
}

TEST_F(ThreadTest, FreedThreadDropsItsPendingHandler) {
  bool handled = false;
  {
    BodyThread worker([] {}, [&](TThread*) { handled = true; });
  }
  EXPECT_FALSE(CheckSynchronize());
  EXPECT_FALSE(handled);
}

TEST_F(ThreadTest, HandlerMayFreeItsThread) {
  int handled = 0;
  auto* first = new BodyThread([] {}, [&](TThread* t) {
    ++handled;
    delete t;
  });
  auto* second = new BodyThread([] {}, [&](TThread* t) {
    ++handled;
    delete t;
  });
  first->WaitFor();
  second->WaitFor();
  EXPECT_TRUE(CheckSynchronize());
  EXPECT_EQ(handled, 2);
}
