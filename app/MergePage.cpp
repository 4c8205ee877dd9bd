// The merge page of the main window: the series of a part file in a list,
// the output choice, the start of the merge worker with its refusals, its
// progress, Cancel, and the painting of the list's rows.
#include "app/Main.h"
#include "app/frmRes.h"
#include "engine/platform/Platform.h"
#include "engine/global.h"
#include "framework/Layout.h"

#include <algorithm>

namespace {

const bool registered = [] {
  RegisterClass<TfrmMain, TForm>("TfrmMain")
      .Field("Label11", &TfrmMain::Label11)
      .Field("Label12", &TfrmMain::Label12)
      .Field("Label13", &TfrmMain::Label13)
      .Field("Label14", &TfrmMain::Label14)
      .Field("Label15", &TfrmMain::Label15)
      .Field("Label16", &TfrmMain::Label16)
      .Field("Label17", &TfrmMain::Label17)
      .Field("Finish_Merge_lb", &TfrmMain::Finish_Merge_lb)
      .Field("Merge_list", &TfrmMain::Merge_list)
      .Field("ImageList1", &TfrmMain::ImageList1)
      .Field("M_add_btn", &TfrmMain::M_add_btn)
      .Field("M_Clear_btn", &TfrmMain::M_Clear_btn)
      .Field("merge_save_btn", &TfrmMain::merge_save_btn)
      .Field("Save_file_E", &TfrmMain::Save_file_E)
      .Field("Image3", &TfrmMain::Image3)
      .Field("OpenDialog2", &TfrmMain::OpenDialog2)
      .Field("SaveDialog2", &TfrmMain::SaveDialog2)
      .Handler("M_add_btnClick", &TfrmMain::M_add_btnClick)
      .Handler("M_clear_btnClick", &TfrmMain::M_clear_btnClick)
      .Handler("merge_save_btnClick", &TfrmMain::merge_save_btnClick)
      .Handler("Merge_btnClick", &TfrmMain::Merge_btnClick)
      .Handler("Merge_timerTimer", &TfrmMain::Merge_timerTimer)
      .Handler("M_cancel_btnClick", &TfrmMain::M_cancel_btnClick)
      .Handler("Merge_listAdvancedCustomDraw", &TfrmMain::Merge_listAdvancedCustomDraw)
      .Handler("Merge_listAdvancedCustomDrawItem", &TfrmMain::Merge_listAdvancedCustomDrawItem)
      .Handler("Merge_listAdvancedCustomDrawSubItem", &TfrmMain::Merge_listAdvancedCustomDrawSubItem)
      .Handler("Merge_listCustomDraw", &TfrmMain::Merge_listCustomDraw)
      .Handler("Merge_listCustomDrawItem", &TfrmMain::Merge_listCustomDrawItem)
      .Handler("Merge_listCustomDrawSubItem", &TfrmMain::Merge_listCustomDrawSubItem);
  return true;
}();

bool FileExists(const std::wstring& path) { return platform::Inspect(path).Kind != platform::PathKind::None; }

}  // namespace

// ---------------------------------------------------------------- the list

void TfrmMain::FillMergeList(const std::wstring& part) {
  Merge_list->Items().Clear();
  merge_plan_ = PlanJoinOfPart(part, TSeriesNaming::Quenlor);
  MergeTotal = merge_plan_.TotalSize;
  for (const TSeriesPart& listed : merge_plan_.Parts) {
    TListItem* row = Merge_list->Items().Add();
    row->SetCaption(listed.Path);
    row->SubItems().Add(SizeText(listed.Size));
    row->SubItems().Add(std::to_wstring(listed.Size));
  }
}

void TfrmMain::M_add_btnClick(TObject*) {
  if (OpenDialog2->Execute(Handle())) FillMergeList(OpenDialog2->FileName());
}

void TfrmMain::M_clear_btnClick(TObject*) { ClearMergeList(); }

void TfrmMain::ClearMergeList() {
  Merge_list->Items().Clear();
  MergeTotal = 0;
  merge_plan_ = {};
}

// ---------------------------------------------------------------- output

void TfrmMain::merge_save_btnClick(TObject*) {
  if (Merge_list->Items().Count() == 0) {
    ShowMessageNumber(18);
    return;
  }
  SaveDialog2->SetFileName(SeriesBase(Merge_list->Items()[0]->Caption(), TSeriesNaming::Quenlor));
  if (!SaveDialog2->Execute(Handle())) return;
  // The output must be a new file: an existing one brings the dialog back.
  while (FileExists(SaveDialog2->FileName())) {
    ShowMessageNumber(17);
    if (!SaveDialog2->Execute(Handle())) return;
  }
  Save_file_E->SetText(SaveDialog2->FileName());
}

// ---------------------------------------------------------------- start

bool TfrmMain::ListedPartsUnchanged() {
  for (const TSeriesPart& part : merge_plan_.Parts) {
    // A part that has gone or changed would leave a hole in the output.
    const platform::PathInfo now = platform::Inspect(part.Path);
    if (now.Kind != platform::PathKind::File || now.Size != part.Size) {
      ShowMessageNumber(2);
      return false;
    }
  }
  return true;
}

void TfrmMain::Merge_btnClick(TObject*) {
  {
    std::lock_guard lock(ProgressLock);
    TotalPercent = 0;
  }
  if (Merge_list->Items().Count() == 0) {
    ShowMessageNumber(18);
    return;
  }
  const std::wstring output = Save_file_E->Text();
  if (output.empty()) {
    ShowMessageNumber(12);
    return Save_file_E->SetFocus();
  }
  const std::wstring drive = DriveOf(output);
  if (!FitsDrive(26, drive, MergeTotal) || !AskYes(16)) return;
  if (!ListedPartsUnchanged() || !RecordAllowsMerge()) return;
  // The output was new when it was chosen: a file made there since would be
  // replaced by the merge.
  if (FileExists(output)) {
    ShowMessageNumber(17);
    Save_file_E->SetText(L"");
    return Save_file_E->SetFocus();
  }
  if (!HasFreeSpace(drive, MergeTotal)) {
    ShowMessageNumber(1);
    Save_file_E->SetText(L"");
    return Save_file_E->SetFocus();
  }
  for (TControl* control : std::initializer_list<TControl*>{Merge_btn, merge_save_btn, Save_file_E, M_add_btn,
                                                             M_Clear_btn})
    control->SetEnabled(false);
  M_cancel_btn->SetEnabled(true);
  ResetJobState();
  // Running from now on, as a split is: a stop query or Cancel right after
  // the start must find the job.
  WorkerState.exchange(wsRunning);
  Merge_timer->SetEnabled(true);
  JobFinished = 0;
  MergeJob = 1;
  SplitJob = 0;
  Label14->Show();
  merge_plan_.Output = output;
  merge_thread_.reset();  // the last worker has ended; its completion handler has run
  merge_thread_ = StartJoin(merge_plan_, [this](TThread* thread) { JobTerminated(thread); });
}

bool TfrmMain::RecordAllowsMerge() {
  const std::wstring recordName = platform::ExtractFileName(RecordPath(merge_plan_.Base));
  int question = 0;
  switch (merge_plan_.Record.State) {
    case rsNone:
    case rsValid:
      return true;
    case rsMissingPart:
      ShowMessageText(30, NameLine(30, platform::ExtractFileName(merge_plan_.PartName(merge_plan_.Record.Part))));
      return false;
    case rsUnreadable:
      question = 33;
      break;
    // Parts beyond the record's were not part of the split it describes.
    case rsForeign:
    case rsExtraPart:
      question = 34;
      break;
  }
  if (ShowMessageText(question, NameLine(question, recordName)) != IDYES) return false;
  merge_plan_.Record = {};
  return true;
}

class TfrmMain::TMergeJobPage : public TJobPage {
 public:
  explicit TMergeJobPage(TfrmMain& form) : f(form) {}
  void ResetPage() override { f.ResetMergePage(); }
  void ClearJobInput() override { f.ClearMergeList(); }
  // Message 2, or the part or output whose digest the record refutes.
  void ShowFailure() override {
    const TJobOutcome& outcome = f.merge_thread_->Outcome();
    if (outcome.Operation != joCheck || outcome.Part < 0)
      ShowMessageNumber(2);
    else if (outcome.Part < f.Merge_list->Items().Count())
      ShowMessageText(31, NameLine(31, platform::ExtractFileName(outcome.Path)));
    else
      ShowMessageNumber(32);
  }
  TTimer* ProgressTimer() const override { return f.Merge_timer; }
  std::vector<TXProcessBar*> ProgressBars() const override { return {f.XProcessBar3, f.XProcessBar4}; }

 private:
  TfrmMain& f;
};

std::unique_ptr<TJobPage> TfrmMain::MakeMergeJobPage() { return std::make_unique<TMergeJobPage>(*this); }

// ---------------------------------------------------------------- progress and stop

void TfrmMain::Merge_timerTimer(TObject*) {
  ShowProgress(Merge_timer, XProcessBar3, XProcessBar4, Finish_Merge_lb, 24);
}

void TfrmMain::M_cancel_btnClick(TObject*) { AskToCancelJob(); }

void TfrmMain::ResetMergePage() {
  if (!Save_file_E) return;
  Save_file_E->SetText(L"");
  for (TControl* control : std::initializer_list<TControl*>{Save_file_E, merge_save_btn, Merge_btn, M_add_btn,
                                                             M_Clear_btn})
    control->SetEnabled(true);
  M_cancel_btn->SetEnabled(false);
  Label14->Hide();
  Finish_Merge_lb->SetCaption(L"");
}

// ---------------------------------------------------------------- painting

// The list's own drawing is off; the whole list is painted at its first stage.
void TfrmMain::Merge_listAdvancedCustomDraw(TCustomListView*, const TRect&, TCustomDrawStage, bool& DefaultDraw) {
  DefaultDraw = false;
}
void TfrmMain::Merge_listAdvancedCustomDrawItem(TCustomListView*, TListItem*, TCustomDrawState, TCustomDrawStage,
                                                bool& DefaultDraw) {
  DefaultDraw = false;
}
void TfrmMain::Merge_listAdvancedCustomDrawSubItem(TCustomListView*, TListItem*, int, TCustomDrawState,
                                                   TCustomDrawStage, bool& DefaultDraw) {
  DefaultDraw = false;
}
void TfrmMain::Merge_listCustomDraw(TCustomListView*, const TRect&, bool& DefaultDraw) {
  DefaultDraw = false;
  PaintMergeList();
}
void TfrmMain::Merge_listCustomDrawItem(TCustomListView*, TListItem*, TCustomDrawState, bool& DefaultDraw) {
  DefaultDraw = false;
}
void TfrmMain::Merge_listCustomDrawSubItem(TCustomListView*, TListItem*, int, TCustomDrawState,
                                           bool& DefaultDraw) {
  DefaultDraw = false;
}

void TfrmMain::PaintMergeList() {
  const int w = Merge_list->Width(), h = Merge_list->Height();
  TBitmap bitmap;
  bitmap.SetSize(w, h);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush.SetColor(clWhite);
  canvas.FillRect(Rect(0, 0, w, h));
  canvas.Font.Assign(Merge_list->Font());
  SCROLLINFO info{sizeof(info), SIF_ALL};
  GetScrollInfo(Merge_list->Handle(), SB_VERT, &info);
  const int first = info.nPos;
  const int last = std::min<int>(first + static_cast<int>(info.nPage), info.nMax);
  const int name = Merge_list->Column(0).Width(), size = Merge_list->Column(1).Width();
  for (int i = std::max(first, 0); i <= last && i < Merge_list->Items().Count(); ++i) {
    const TListItem& item = *Merge_list->Items()[i];
    TRect row = item.DisplayRect();
    row.Right = w;
    canvas.Brush.SetColor(i % 2 ? TColor(0x00F0F0F0) : clWhite);
    canvas.FillRect(row);
    // The icon, cut where column 0 ends.
    const int iconWidth = name < row.Left + 41 ? name - row.Left - 27 : 14;
    if (iconWidth >= 2 && Image3->Picture().Graphic()) {
      HDC dc = canvas.Handle();
      const int saved = SaveDC(dc);
      TScopeGuard restore([dc, saved] { RestoreDC(dc, saved); });
      IntersectClipRect(dc, row.Left + 4, row.Top + 4, row.Left + 4 + iconWidth, row.Top + 18);
      canvas.Draw(row.Left + 4, row.Top + 4, *Image3->Picture().Graphic());
    }
    canvas.Brush.SetStyle(bsClear);
    const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
    TRect text = Rect(row.Left + 23, row.Top, row.Left + name - 4, row.Bottom);
    canvas.DrawText(item.Caption(), text, flags);
    text = Rect(row.Left + name + 10, row.Top, row.Left + name + size - 4, row.Bottom);
    canvas.DrawText(item.SubItems()[0], text, flags);
  }
  // 4 pixels inside the window's outer edge and below the header. The list
  // paints double-buffered, so that anything drawn straight into its window
  // would be covered: the copy goes through the drawing context, whose
  // origin is the client area's, inside the border.
  POINT client{0, 0};
  ::ClientToScreen(Merge_list->Handle(), &client);
  RECT window;
  ::GetWindowRect(Merge_list->Handle(), &window);
  const int dx = client.x - window.left, dy = client.y - window.top;
  const int header = Merge_list->HeaderHeight();
  BitBlt(Merge_list->Canvas().Handle(), 4 - dx, header + 4 - dy, w - 8, h - header - 8, canvas.Handle(), 0, header,
         SRCCOPY);
}
