#include "tests/app/Program.h"

#include "app/Main.h"
#include "app/Startup.h"
#include "app/frmRes.h"
#include "engine/My_Global.h"
#include "tests/doubles/MobrelDouble.h"
#include "tests/harness/Harness.h"

namespace program {

void Start() {
  if (frmMain) return;
  harness::InitGui();
  Application->CreateForm(frmMain);
  Application->CreateForm(frmResource);
  InitSupportLibrary();
  RestoreSkin();
  harness::ShowFresh(frmMain);
  mobrel_double::Reset();
}

TRunningJob::TRunningJob() {
  frmMain->ResetJobState();
  SplitJob = 1;
  WorkerState.exchange(wsRunning);
  worker_ = std::thread([this] {
    while (!stop_) {
      WaitWhilePaused();
      if (CancelRequested()) break;
      Sleep(10);
    }
  });
}

TRunningJob::~TRunningJob() {
  stop_ = true;
  worker_.join();
  frmMain->ResetJobState();
  SplitJob = 0;
}

}  // namespace program
