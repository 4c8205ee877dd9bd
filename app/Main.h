// The main window: frameless, skinned, with four pages.
#pragma once
#include <cstdint>

#include "controls/XButtonTypes.h"
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
  // The pages' progress timers, held while the stop query asks.
  TTimer* Split_timer = nullptr;
  TTimer* Merge_timer = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void btnSkinBlueClick(TObject* Sender);
  void btnSkinGreenClick(TObject* Sender);
  void btnSkinBlackClick(TObject* Sender);
  void btnSkinYellowClick(TObject* Sender);
  void btnSkinRedClick(TObject* Sender);

  void WndProc(TMessage& message) override;

  // Job control shared by the pages. QueryStopJob answers whether the
  // caller may go on: no job runs, or the user stopped it and it has ended.
  bool QueryStopJob();
  void ResetJobState();
  void ResetPages();

 private:
  // Switches to skin number (1..5) unless it is in use already.
  void SelectSkin(uint8_t number, TButtonColor color, TColor formColor);
  void ApplySkin(TButtonColor color, TColor formColor);
};

extern TfrmMain* frmMain;
