// Program entry: the single-instance guard (a later start hands its file to
// the running instance), the application, the two forms, the support
// library, the skin it remembers, the loop.
#include "app/Main.h"
#include "app/Startup.h"
#include "app/UnitRunonce.h"
#include "app/frmRes.h"
#include "mobrel/MobrelDLL.h"

#include <shellapi.h>

namespace {

// The first argument after the program's own name, empty without one.
std::wstring FirstArgument() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  const std::wstring first = arguments && count > 1 ? arguments[1] : L"";
  LocalFree(arguments);
  return first;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // An error while starting is shown, and the program ends; errors once the
  // loop runs are shown by the loop, and the program goes on.
  bool secondInstance = false, handedOver = true;
  const bool started = RunGuarded(Application, [&secondInstance, &handedOver] {
    Application->Initialize();
    // Another instance runs: it has been brought back and given this start's
    // file, and this one ends before it shows anything or calls the library.
    secondInstance = RunOnceCheck(Application->Handle());
    const std::wstring file = FirstArgument();
    if (secondInstance) {
      if (!file.empty()) handedOver = HandOverFile(file);
      return;
    }
    ListenForHandedFiles(Application->Handle());
    Application->SetTitle(L"Quenlor");
    CommandLinePath = file;
    Application->CreateForm(frmMain);
    Application->CreateForm(frmResource);
    InitSupportLibrary();
    RestoreSkin();
    g_MobrelDLL_AddForm(L"frmMain", frmMain);
    g_MobrelDLL_AddForm(L"frmResource", frmResource);
  });
  if (started && !secondInstance) RunGuarded(Application, [] { Application->Run(); });
  RunGuarded(Application, [] { Application->DestroyComponents(); });
  // A file the running instance did not take fails this start.
  return started && handedOver ? 0 : 1;
}
