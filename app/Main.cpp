#include "app/Main.h"

#include "mobrel/MobrelDLL.h"
#include "framework/Layout.h"

TfrmMain* frmMain = nullptr;

namespace {

const bool registered = [] {
  RegisterClass<TfrmMain, TForm>("TfrmMain")
      .Layout(L"forms/frmMain.lfm")
      .Field("lblCaption", &TfrmMain::lblCaption)
      .Field("panMain", &TfrmMain::panMain)
      .Field("PanMerge", &TfrmMain::PanMerge)
      .Field("panOurProducts", &TfrmMain::panOurProducts)
      .Field("panMobrel", &TfrmMain::panMobrel)
      .Handler("FormCreate", &TfrmMain::FormCreate)
      .Handler("FormShow", &TfrmMain::FormShow);
  return true;
}();

}  // namespace

TfrmMain::TfrmMain(TComponent* AOwner) : TForm(AOwner) {}

void TfrmMain::FormCreate(TObject*) { g_MobrelDLL_FormStyle(this); }

void TfrmMain::FormShow(TObject*) {
  // The pages share one place below the tab row; only the split page shows at first.
  for (TPanel* page : {panMain, panOurProducts, panMobrel}) page->SetColor(0x00FFFFFF);
  panOurProducts->SetLeft(24);
  panMobrel->SetLeft(24);
  for (TPanel* page : {panMain, panOurProducts, panMobrel}) page->SetTop(72);
  panMain->Show();
  for (TPanel* page : {PanMerge, panOurProducts, panMobrel}) page->Hide();
}
