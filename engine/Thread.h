// A small portable thread class. Execute runs on its own thread; when it has
// returned (or thrown), the OnTerminate handler is queued for the main thread
// and the main thread is woken. The main thread runs queued handlers with
// CheckSynchronize. A thread object never frees itself.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>

class TThread {
 public:
  using TNotifyEvent = std::function<void(TThread*)>;

  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;
  // Joins the thread and drops a handler of this thread that has not run yet.
  virtual ~TThread();

  // Waits until the thread has ended.
  void WaitFor();
  bool Finished() const { return FFinished.load(); }
  // What Execute threw, as text; empty when it returned normally.
  const std::string& FatalException() const { return FFatalException; }

 protected:
  explicit TThread(TNotifyEvent OnTerminate);
  // Starts the thread. A worker's constructor calls this as its last step, so
  // that Execute never sees a partly constructed object.
  void Start();
  virtual void Execute() = 0;

 private:
  void Run();

  TNotifyEvent FOnTerminate;
  std::string FFatalException;
  std::atomic<bool> FFinished{false};
  std::thread FThread;
};

// Runs the handlers queued by finished threads, on the calling (main)
// thread. Answers whether any ran.
bool CheckSynchronize();

// Installs the function a finishing thread calls to wake the main thread,
// for instance one that posts a message to its message loop. The default
// does nothing.
void SetSynchronizeWakeup(std::function<void()> Wakeup);
