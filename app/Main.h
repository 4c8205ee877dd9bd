// The main window: frameless, skinned, with four pages.
#pragma once
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

class TfrmMain : public TForm {
 public:
  explicit TfrmMain(TComponent* AOwner);

  TLabel* lblCaption = nullptr;
  // The four pages: split, merge, and the two the support library fills.
  TPanel* panMain = nullptr;
  TPanel* PanMerge = nullptr;
  TPanel* panOurProducts = nullptr;
  TPanel* panMobrel = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
};

extern TfrmMain* frmMain;
