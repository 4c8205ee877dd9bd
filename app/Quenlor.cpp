// Program entry: the application, the two forms, the support library, the loop.
#include "app/Main.h"
#include "mobrel/MobrelDLL.h"
#include "app/frmRes.h"
#include "app/Startup.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  Application->Initialize();
  Application->SetTitle(L"Quenlor");
  Application->CreateForm(frmMain);
  Application->CreateForm(frmResource);
  InitSupportLibrary();
  g_MobrelDLL_AddForm(L"frmMain", frmMain);
  g_MobrelDLL_AddForm(L"frmResource", frmResource);
  Application->Run();
  Application->DestroyComponents();
  return 0;
}
