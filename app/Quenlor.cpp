// Program entry: the application, the two forms, the support library, the loop.
#include "app/Main.h"
#include "mobrel/MobrelDLL.h"
#include "app/frmRes.h"
#include "app/Startup.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // An error while starting is shown, and the program ends; errors once the
  // loop runs are shown by the loop, and the program goes on.
  const bool started = RunGuarded(Application, [] {
    Application->Initialize();
    Application->SetTitle(L"Quenlor");
    Application->CreateForm(frmMain);
    Application->CreateForm(frmResource);
    InitSupportLibrary();
    g_MobrelDLL_AddForm(L"frmMain", frmMain);
    g_MobrelDLL_AddForm(L"frmResource", frmResource);
  });
  if (started) RunGuarded(Application, [] { Application->Run(); });
  RunGuarded(Application, [] { Application->DestroyComponents(); });
  return started ? 0 : 1;
}
