// The main window: frameless, skinned, with four pages.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "controls/DxUpdown.h"
#include "controls/OrvVclComboBox.h"
#include "controls/OrvVclEdit.h"
#include "controls/XCheckBox.h"
#include "controls/XImageButtonColor.h"
#include "controls/XProcessBar.h"
#include "engine/Split_thread.h"
#include "framework/Dialogs.h"
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

  // ---------------------------------------------------------------- split page and job control
  TLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
         *Label6 = nullptr, *Label7 = nullptr;
  TOrvVclEdit *Source_E = nullptr, *Output_E = nullptr, *block_edt = nullptr, *Size_edt = nullptr;
  TXImageButtonColor *S_open_btn = nullptr, *s_save_btn = nullptr, *Split_btn = nullptr, *s_cancel_btn = nullptr;
  // The arrows of MyUpdown1: up and down.
  TXImageButtonColor *XImageButtonColor2 = nullptr, *XImageButtonColor1 = nullptr;
  TPanel* Panel1 = nullptr;
  TXCheckBox *block_R_btn = nullptr, *Size_R_btn = nullptr;
  TMyUpdown* MyUpdown1 = nullptr;
  TOrvVclComboBox* size_com_box = nullptr;
  TLabel *Info_1_lb = nullptr, *Info_2_lb = nullptr, *Info_3_lb = nullptr;
  TLabel *lb_1 = nullptr, *lb_2 = nullptr, *lb_3 = nullptr, *finish_lb = nullptr;
  TXProcessBar *XProcessBar1 = nullptr, *XProcessBar2 = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;
  TTimer* Split_timer = nullptr;

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

  // Both workers' completion handler: reports the end and resets both pages.
  void JobTerminated(TThread* Sender);
  // Answers whether the caller may go on: no job runs, or the user stopped
  // it and it has ended. The worker holds while the user is asked.
  bool QueryStopJob();
  void ResetJobState();
  void ResetPages();

  // The drive part of a path: "D:" or "\\server\share"; empty when none.
  static std::wstring DriveOf(const std::wstring& path);

 private:
  void UpdateSplitInfo();
  void PlanByBlockCount();
  void PlanByBlockSize();
  bool ValidateSplit();
  // The source path chosen (also re-measured at confirmation): shows its size and unit.
  void ShowSource(const std::wstring& path);
  void SetModeControls(bool countMode);
  void SetPageInputs(bool enabled);
  // Sleeps 100 ms at a time, letting the message queue run, until done holds.
  void WaitWithMessages(bool (*done)());

  int64_t SourceSize = 0;
  int64_t BlockSize = 0;
  std::unique_ptr<Splitthread> split_thread_;
  bool size_refused_ = false;  // a block-size refusal is being shown and undone
  bool stop_waiting_ = false;  // Cancel or the stop query is waiting for the worker
};

extern TfrmMain* frmMain;
