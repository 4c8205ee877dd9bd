// The main window: frameless, skinned, with four pages.
#pragma once
#include <cstdint>

#include <memory>
#include <string>
#include <vector>

#include <windows.h>
#include <shellapi.h>

#include "controls/DxUpdown.h"
#include "controls/OrvVclListView.h"
#include "controls/OrvVclComboBox.h"
#include "controls/OrvVclEdit.h"
#include "controls/OrvVclScrollBar.h"
#include "controls/XButtonTypes.h"
#include "controls/XImageButtonColor.h"
#include "controls/XCheckBox.h"
#include "controls/XProcessBar.h"
#include "engine/Jobs.h"
#include "framework/Dialogs.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/ImageList.h"
#include "framework/StdCtrls.h"

// Sent by nothing in the program: the window refreshes its derived captions.
constexpr UINT WM_REFRESHLAYOUT = 4745;

// The tint index of a skin colour: it numbers the panel-corner pictures,
// the grips and the style sets of the list and scroll bars.
int SkinToPicstyle(TButtonColor color);

// What the job control that both pages share asks of the page whose job it
// ran: to put itself back, to let go of the job's input (the source, the
// list), to tell of its failure, and its progress timer and bars.
class TJobPage {
 public:
  virtual ~TJobPage() = default;
  virtual void ResetPage() = 0;
  virtual void ClearJobInput() = 0;
  virtual void ShowFailure() = 0;
  virtual TTimer* ProgressTimer() const = 0;
  virtual std::vector<TXProcessBar*> ProgressBars() const = 0;
};

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

  // A file named on the command line or dropped on the window: a part file
  // fills the merge page with its series and selects it, any other file
  // becomes the split source.
  void OpenFile(const std::wstring& path);
  void OpenDroppedFile(HDROP drop);
  // A file a later start handed over: opened as the command line's is, or,
  // while a job runs, refused with message 35.
  void OpenHandedFile(const std::wstring& path);

  void WndProc(TMessage& message) override;

  // ---------------------------------------------------------------- split page
  // (the split page's controls that the frame reaches are declared above)
  TLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
         *Label6 = nullptr, *Label7 = nullptr;
  TOrvVclEdit *Source_E = nullptr, *Output_E = nullptr, *block_edt = nullptr, *Size_edt = nullptr;
  TXImageButtonColor *S_open_btn = nullptr, *s_save_btn = nullptr;
  // The arrows of MyUpdown1: up and down.
  TXImageButtonColor *XImageButtonColor2 = nullptr, *XImageButtonColor1 = nullptr;
  TXCheckBox *block_R_btn = nullptr, *Size_R_btn = nullptr;
  TOrvVclComboBox* size_com_box = nullptr;
  TLabel *Info_1_lb = nullptr, *Info_3_lb = nullptr, *lb_1 = nullptr, *lb_3 = nullptr, *finish_lb = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;

  void S_open_btnClick(TObject* Sender);
  void s_save_btnClick(TObject* Sender);
  void Output_EChange(TObject* Sender);
  void block_R_btnClick(TObject* Sender);
  void Size_R_btnClick(TObject* Sender);
  void Size_edtKeyPress(TObject* Sender, wchar_t& Key);
  void Size_edtChange(TObject* Sender);
  void size_com_boxChange(TObject* Sender);
  void block_edtChange(TObject* Sender);
  void Split_btnClick(TObject* Sender);
  void Split_timerTimer(TObject* Sender);
  void s_cancel_btnClick(TObject* Sender);

  // ---------------------------------------------------------------- merge page
  // (the merge page's controls that the frame reaches are declared above)
  TLabel *Label11 = nullptr, *Label12 = nullptr, *Label13 = nullptr, *Label14 = nullptr, *Label15 = nullptr,
         *Label16 = nullptr, *Label17 = nullptr, *Finish_Merge_lb = nullptr;
  TOrvVclListView* Merge_list = nullptr;
  TImageList* ImageList1 = nullptr;
  TXImageButtonColor *M_add_btn = nullptr, *M_Clear_btn = nullptr, *merge_save_btn = nullptr;
  TOrvVclEdit* Save_file_E = nullptr;
  TImage* Image3 = nullptr;
  TOpenDialog* OpenDialog2 = nullptr;
  TSaveDialog* SaveDialog2 = nullptr;

  void M_add_btnClick(TObject* Sender);
  void M_clear_btnClick(TObject* Sender);
  void merge_save_btnClick(TObject* Sender);
  void Merge_btnClick(TObject* Sender);
  void Merge_timerTimer(TObject* Sender);
  void M_cancel_btnClick(TObject* Sender);
  void Merge_listAdvancedCustomDraw(TCustomListView* Sender, const TRect& ARect, TCustomDrawStage Stage,
                                    bool& DefaultDraw);
  void Merge_listAdvancedCustomDrawItem(TCustomListView* Sender, TListItem* Item, TCustomDrawState State,
                                        TCustomDrawStage Stage, bool& DefaultDraw);
  void Merge_listAdvancedCustomDrawSubItem(TCustomListView* Sender, TListItem* Item, int SubItem,
                                           TCustomDrawState State, TCustomDrawStage Stage, bool& DefaultDraw);
  void Merge_listCustomDraw(TCustomListView* Sender, const TRect& ARect, bool& DefaultDraw);
  void Merge_listCustomDrawItem(TCustomListView* Sender, TListItem* Item, TCustomDrawState State,
                                bool& DefaultDraw);
  void Merge_listCustomDrawSubItem(TCustomListView* Sender, TListItem* Item, int SubItem, TCustomDrawState State,
                                   bool& DefaultDraw);

  // Lists the series of a part file from part 0 to the first gap.
  void FillMergeList(const std::wstring& part);

  // ---------------------------------------------------------------- job control of both pages
  // Both workers' completion handler: reports the end and resets both pages.
  void JobTerminated(TThread* Sender);
  // Answers whether the caller may go on: no job runs, or the user stopped
  // it and it has ended. The worker holds while the user is asked.
  bool QueryStopJob();
  void ResetJobState();
  void ResetPages();

  // The drive part of a path: "D:" or "\\server\share"; empty when none.
  static std::wstring DriveOf(const std::wstring& path);

  // The page shown, 1 to 4.
  int Page() const { return FPage; }
  bool NotMaximized() const { return FNotMaximized != 0; }

 private:
  // Split page.
  void UpdateSplitInfo();
  void PlanByBlockCount();
  void PlanByBlockSize();
  bool ValidateSplit();
  bool ConfirmSplit(const std::wstring& source);
  // Shows a chosen source: its size, the unit it suggests, and the plan.
  void ShowSource(const std::wstring& path);
  void SetModeControls(bool countMode);
  void SetPageInputs(bool enabled);
  // The split page's part of ResetPages.
  void ResetSplitPage();

  int64_t SourceSize = 0;
  int64_t BlockSize = 0;
  std::unique_ptr<Splitthread> split_thread_;
  bool size_refused_ = false;  // a block-size refusal is being shown and undone

  // Merge page.
  void PaintMergeList();
  // The merge page's part of ResetPages, and its part of the end of a job.
  void ResetMergePage();
  void ClearMergeList();
  // Refuses (message 2) when a listed part has gone or changed its size.
  bool ListedPartsUnchanged();

  // Refuses (message 30) a record that names a part the list lacks, and
  // asks (33, 34) whether to merge without the check when the record cannot
  // be read, belongs to other files or lacks a listed part. On a yes the
  // plan's record is dropped, so that the worker checks nothing.
  bool RecordAllowsMerge();

  int64_t MergeTotal = 0;
  TJoinPlan merge_plan_;  // the listed series, its copy path and its record's verdict
  std::unique_ptr<MergeThread> merge_thread_;

  // Job control of both pages.
  // False, after message n (25 or 26), when a file of size bytes is too
  // large for the file system of drive.
  bool FitsDrive(int n, const std::wstring& drive, int64_t size);
  // A progress tick of either page: the two bars and the line of message
  // 6 or 24, each set only when it changes; the timer stops once the job
  // has finished.
  void ShowProgress(TTimer* timer, TXProcessBar* partBar, TXProcessBar* totalBar, TLabel* line, int message);
  // The two pages as the job control sees them; the merge page first, as
  // clearing its output re-plans the split, whose labels its reset clears.
  class TSplitJobPage;
  class TMergeJobPage;
  std::unique_ptr<TJobPage> MakeSplitJobPage();
  std::unique_ptr<TJobPage> MakeMergeJobPage();
  std::unique_ptr<TJobPage> split_job_page_ = MakeSplitJobPage();
  std::unique_ptr<TJobPage> merge_job_page_ = MakeMergeJobPage();
  std::vector<TJobPage*> JobPages() const { return {merge_job_page_.get(), split_job_page_.get()}; }

  // Sleeps 100 ms at a time, letting the message queue run, until done holds.
  void WaitWithMessages(bool (*done)());
  // Either page's Cancel: holds the worker, asks message 7, and cancels or releases it.
  void AskToCancelJob();
  bool stop_waiting_ = false;  // Cancel or the stop query is waiting for the worker

  // The window's keys beyond the dialog keys: Ctrl+Tab, Ctrl+Shift+Tab and
  // Ctrl+1..4 switch pages, Delete in the merge list clears it, Up and Down
  // in the block count step it.
  bool ShortCut(WORD key, TShiftState shift) override;
  // Shows page n as its tab would, then focuses the page's first control.
  void SwitchPage(int n);

  // The custom resize regions of the edges and corners; HTNOWHERE elsewhere.
  LRESULT HitTest(int x, int y) const;
  // Shows page n, after stopping a job that the page does not show if the
  // user agrees; false when the user keeps the job.
  bool SelectPage(int n);
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

// The skin number the support library reports and is told of: 1 Blue,
// 2 Green, 3 Black, 4 Yellow, 5 Red. The library keeps its address.
extern uint8_t CurrentSkin;
// 1 once Windows has asked whether it may log off or shut down: the main
// window then closes without questions. Cleared when the window first shows.
extern uint8_t WindowsEnding;

// The program's first command-line argument, empty without one; the entry
// sets it before the main window first shows.
extern std::wstring CommandLinePath;

// True while a worker runs or is held.
bool JobRunning();
