// The main window: frameless, skinned, with four pages.
#pragma once
#include <cstdint>

#include "controls/DxUpdown.h"
#include "controls/OrvVclScrollBar.h"
#include "controls/XButtonTypes.h"
#include "controls/XImageButtonColor.h"
#include "controls/XProcessBar.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/ImageList.h"
#include "framework/StdCtrls.h"

// Sent by nothing in the program: the window refreshes its derived captions.
constexpr UINT WM_REFRESHLAYOUT = 4745;

// The tint index of a skin colour: it numbers the panel-corner pictures,
// the grips and the style sets of the list and scroll bars.
int SkinToPicstyle(TButtonColor color);

class TfrmMain : public TForm {
 public:
  explicit TfrmMain(TComponent* AOwner);

  // Skin and window buttons, the caption and the home-page label.
  TXImageButton *btnSkinGreen = nullptr, *btnSkinRed = nullptr, *btnSkinYellow = nullptr,
                *btnSkinBlue = nullptr, *btnSkinBlack = nullptr;
  TXImageButtonColor *btnMin = nullptr, *btnMax = nullptr, *btnRestore = nullptr, *btnClose = nullptr;
  TLabel* lblCaption = nullptr;
  TLabel* lblWebsiteURL = nullptr;
  // The tab row; the disabled tab is the selected one.
  TXImageButtonColor *btnFunc1 = nullptr, *btnFunc2 = nullptr, *btnFunc3 = nullptr, *btnFunc4 = nullptr;
  // One resize grip per skin, in tint order; the shading along the page area.
  TImage *imgRBJiao1 = nullptr, *imgRBJiao2 = nullptr, *imgRBJiao3 = nullptr, *imgRBJiao4 = nullptr,
         *imgRBJiao5 = nullptr;
  TImage *imgBKWhiteLeftBottom = nullptr, *imgBKWhiteBottom = nullptr, *imgBKWhiteRightBottom = nullptr,
         *imgBKWhiteRight = nullptr;
  // Corner pictures of the split page's settings panel, one per tint.
  TImageList *left_top = nullptr, *right_top = nullptr, *left_b = nullptr, *right_b = nullptr;
  TTimer* Timer1 = nullptr;
  // The four pages: split, merge, and the two the support library fills.
  TPanel* panMain = nullptr;
  TPanel* PanMerge = nullptr;
  TPanel* panOurProducts = nullptr;
  TPanel* panMobrel = nullptr;

  // Controls of the split and merge pages that the skin and the layout
  // reach; bound when the pages' layouts have them, null until then.
  TXImageButtonColor *Split_btn = nullptr, *s_cancel_btn = nullptr, *Merge_btn = nullptr,
                     *M_cancel_btn = nullptr;
  TXProcessBar *XProcessBar1 = nullptr, *XProcessBar2 = nullptr, *XProcessBar3 = nullptr,
               *XProcessBar4 = nullptr;
  TOrvVclScrollBar *OrvVclScrollBar2 = nullptr, *OrvVclScrollBar3 = nullptr;
  TPanel* Panel1 = nullptr;
  TShape* Shape1 = nullptr;
  TMyUpdown* MyUpdown1 = nullptr;
  TImage *Left_top_img = nullptr, *Right_top_img = nullptr, *Left_b_img = nullptr, *right_b_img = nullptr;
  TLabel *lb_2 = nullptr, *Info_2_lb = nullptr;
  // The pages' progress timers, held while the stop query asks.
  TTimer* Split_timer = nullptr;
  TTimer* Merge_timer = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormPaint(TObject* Sender);
  void FormResize(TObject* Sender);
  void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void FormDblClick(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void btnMinClick(TObject* Sender);
  void btnMaxClick(TObject* Sender);
  void btnRestoreClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);
  void btnFunc1Click(TObject* Sender);
  void btnFunc2Click(TObject* Sender);
  void btnFunc3Click(TObject* Sender);
  void btnFunc4Click(TObject* Sender);
  void btnSkinBlueClick(TObject* Sender);
  void btnSkinGreenClick(TObject* Sender);
  void btnSkinBlackClick(TObject* Sender);
  void btnSkinYellowClick(TObject* Sender);
  void btnSkinRedClick(TObject* Sender);
  void btnSkinGreenMouseEnter(TObject* Sender);
  void btnSkinGreenMouseLeave(TObject* Sender);
  void lblWebsiteURLClick(TObject* Sender);
  void lblWebsiteURLMouseEnter(TObject* Sender);
  void lblWebsiteURLMouseLeave(TObject* Sender);
  void Timer1Timer(TObject* Sender);

  void WndProc(TMessage& message) override;

  // Job control shared by the pages. QueryStopJob answers whether the
  // caller may go on: no job runs, or the user stopped it and it has ended.
  bool QueryStopJob();
  void ResetJobState();
  void ResetPages();

  // The page shown, 1 to 4.
  int Page() const { return FPage; }
  bool NotMaximized() const { return FNotMaximized != 0; }

 private:
  // The custom resize regions of the edges and corners; HTNOWHERE elsewhere.
  LRESULT HitTest(int x, int y) const;
  void SelectPage(int n);
  // Switches to skin number (1..5) unless it is in use already.
  void SelectSkin(uint8_t number, TButtonColor color, TColor formColor);
  void ApplySkin(TButtonColor color, TColor formColor);
  void ShowResizeGrip(TButtonColor color);
  void TintSettingsPanel(int tint);
  void UpdateLayout();
  void GetWorkArea(RECT& area);
  // The frame's corners and edges from the skin's 20 x 20 bitmap.
  void PaintFrame(TCanvas& canvas, TBitmap& frame, int w, int h);

  uint8_t FNotMaximized = 1;
  RECT FRestoreBounds{};
  uint8_t FFrameEnabled = 0;
  int FPage = 1;
};

extern TfrmMain* frmMain;
