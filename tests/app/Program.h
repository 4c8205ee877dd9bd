// The program started in the test process as its entry starts it, with the
// support library's double: the main window (shown) and the resource form.
#pragma once
#include <atomic>
#include <thread>

namespace program {

// Runs the entry's steps once per test program.
void Start();

// A worker stand-in that keeps to the job protocol: it holds while asked
// to pause and ends when cancelled. The job runs from construction to
// destruction as a split.
class TRunningJob {
 public:
  TRunningJob();
  ~TRunningJob();
  TRunningJob(const TRunningJob&) = delete;
  TRunningJob& operator=(const TRunningJob&) = delete;

 private:
  std::atomic<bool> stop_{false};
  std::thread worker_;
};

}  // namespace program
