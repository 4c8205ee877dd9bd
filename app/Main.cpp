#include "app/Main.h"

#include "app/UnitRunonce.h"
#include "app/frmRes.h"
#include "engine/My_Global.h"
#include "framework/Layout.h"
#include "mobrel/MobrelDLL.h"

#include <functional>
#include <vector>

TfrmMain* frmMain = nullptr;

namespace {

const bool registered = [] {
  RegisterClass<TfrmMain, TForm>("TfrmMain")
      .Layout(L"forms/frmMain.lfm")
      .Field("btnSkinGreen", &TfrmMain::btnSkinGreen)
      .Field("btnSkinRed", &TfrmMain::btnSkinRed)
      .Field("btnSkinYellow", &TfrmMain::btnSkinYellow)
      .Field("btnSkinBlue", &TfrmMain::btnSkinBlue)
      .Field("btnSkinBlack", &TfrmMain::btnSkinBlack)
      .Field("btnMin", &TfrmMain::btnMin)
      .Field("btnMax", &TfrmMain::btnMax)
      .Field("btnRestore", &TfrmMain::btnRestore)
      .Field("btnClose", &TfrmMain::btnClose)
      .Field("lblCaption", &TfrmMain::lblCaption)
      .Field("lblWebsiteURL", &TfrmMain::lblWebsiteURL)
      .Field("btnFunc1", &TfrmMain::btnFunc1)
      .Field("btnFunc2", &TfrmMain::btnFunc2)
      .Field("btnFunc3", &TfrmMain::btnFunc3)
      .Field("btnFunc4", &TfrmMain::btnFunc4)
      .Field("imgRBJiao1", &TfrmMain::imgRBJiao1)
      .Field("imgRBJiao2", &TfrmMain::imgRBJiao2)
      .Field("imgRBJiao3", &TfrmMain::imgRBJiao3)
      .Field("imgRBJiao4", &TfrmMain::imgRBJiao4)
      .Field("imgRBJiao5", &TfrmMain::imgRBJiao5)
      .Field("imgBKWhiteLeftBottom", &TfrmMain::imgBKWhiteLeftBottom)
      .Field("imgBKWhiteBottom", &TfrmMain::imgBKWhiteBottom)
      .Field("imgBKWhiteRightBottom", &TfrmMain::imgBKWhiteRightBottom)
      .Field("imgBKWhiteRight", &TfrmMain::imgBKWhiteRight)
      .Field("left_top", &TfrmMain::left_top)
      .Field("right_top", &TfrmMain::right_top)
      .Field("left_b", &TfrmMain::left_b)
      .Field("right_b", &TfrmMain::right_b)
      .Field("Timer1", &TfrmMain::Timer1)
      .Field("panMain", &TfrmMain::panMain)
      .Field("PanMerge", &TfrmMain::PanMerge)
      .Field("panOurProducts", &TfrmMain::panOurProducts)
      .Field("panMobrel", &TfrmMain::panMobrel)
      .Field("Split_btn", &TfrmMain::Split_btn)
      .Field("s_cancel_btn", &TfrmMain::s_cancel_btn)
      .Field("Merge_btn", &TfrmMain::Merge_btn)
      .Field("M_cancel_btn", &TfrmMain::M_cancel_btn)
      .Field("XProcessBar1", &TfrmMain::XProcessBar1)
      .Field("XProcessBar2", &TfrmMain::XProcessBar2)
      .Field("XProcessBar3", &TfrmMain::XProcessBar3)
      .Field("XProcessBar4", &TfrmMain::XProcessBar4)
      .Field("OrvVclScrollBar2", &TfrmMain::OrvVclScrollBar2)
      .Field("OrvVclScrollBar3", &TfrmMain::OrvVclScrollBar3)
      .Field("Panel1", &TfrmMain::Panel1)
      .Field("Shape1", &TfrmMain::Shape1)
      .Field("MyUpdown1", &TfrmMain::MyUpdown1)
      .Field("Left_top_img", &TfrmMain::Left_top_img)
      .Field("Right_top_img", &TfrmMain::Right_top_img)
      .Field("Left_b_img", &TfrmMain::Left_b_img)
      .Field("right_b_img", &TfrmMain::right_b_img)
      .Field("lb_2", &TfrmMain::lb_2)
      .Field("Info_2_lb", &TfrmMain::Info_2_lb)
      .Field("Split_timer", &TfrmMain::Split_timer)
      .Field("Merge_timer", &TfrmMain::Merge_timer)
      .Handler("FormCreate", &TfrmMain::FormCreate)
      .Handler("FormShow", &TfrmMain::FormShow)
      .Handler("FormPaint", &TfrmMain::FormPaint)
      .Handler("FormResize", &TfrmMain::FormResize)
      .Handler("FormMouseDown", &TfrmMain::FormMouseDown)
      .Handler("FormDblClick", &TfrmMain::FormDblClick)
      .Handler("FormCloseQuery", &TfrmMain::FormCloseQuery)
      .Handler("btnMinClick", &TfrmMain::btnMinClick)
      .Handler("btnMaxClick", &TfrmMain::btnMaxClick)
      .Handler("btnRestoreClick", &TfrmMain::btnRestoreClick)
      .Handler("btnCloseClick", &TfrmMain::btnCloseClick)
      .Handler("btnFunc1Click", &TfrmMain::btnFunc1Click)
      .Handler("btnFunc2Click", &TfrmMain::btnFunc2Click)
      .Handler("btnFunc3Click", &TfrmMain::btnFunc3Click)
      .Handler("btnFunc4Click", &TfrmMain::btnFunc4Click)
      .Handler("btnSkinBlueClick", &TfrmMain::btnSkinBlueClick)
      .Handler("btnSkinGreenClick", &TfrmMain::btnSkinGreenClick)
      .Handler("btnSkinBlackClick", &TfrmMain::btnSkinBlackClick)
      .Handler("btnSkinYellowClick", &TfrmMain::btnSkinYellowClick)
      .Handler("btnSkinRedClick", &TfrmMain::btnSkinRedClick)
      .Handler("btnSkinGreenMouseEnter", &TfrmMain::btnSkinGreenMouseEnter)
      .Handler("btnSkinGreenMouseLeave", &TfrmMain::btnSkinGreenMouseLeave)
      .Handler("lblWebsiteURLClick", &TfrmMain::lblWebsiteURLClick)
      .Handler("lblWebsiteURLMouseEnter", &TfrmMain::lblWebsiteURLMouseEnter)
      .Handler("lblWebsiteURLMouseLeave", &TfrmMain::lblWebsiteURLMouseLeave)
      .Handler("Timer1Timer", &TfrmMain::Timer1Timer);
  return true;
}();

}  // namespace

int SkinToPicstyle(TButtonColor color) {
  switch (color) {
    case fGreen: return 1;
    case fRed: return 2;
    case fYellow: return 3;
    case fBlack: return 5;
    default: return 4;
  }
}

uint8_t CurrentSkin = 1;
uint8_t WindowsEnding = 0;
std::wstring CommandLinePath;

TfrmMain::TfrmMain(TComponent* AOwner) : TForm(AOwner) {}

void TfrmMain::FormCreate(TObject*) {
  FNotMaximized = 1;
  FFrameEnabled = 1;
  g_MobrelDLL_FormStyle(this);
}

void TfrmMain::FormShow(TObject*) {
  for (TPanel* page : {panMain, panOurProducts, panMobrel}) page->SetColor(0x00FFFFFF);
  panOurProducts->SetLeft(24);
  panMobrel->SetLeft(24);
  for (TPanel* page : {panMain, panOurProducts, panMobrel}) page->SetTop(72);
  btnRestore->SetBounds(btnMax->Left(), btnMax->Top(), btnRestore->Width(), btnRestore->Height());
  const int w = Width(), h = Height();
  imgBKWhiteRightBottom->SetBounds(w - 20, h - 38, imgBKWhiteRightBottom->Width(), imgBKWhiteRightBottom->Height());
  imgBKWhiteLeftBottom->SetBounds(14, h - 38, imgBKWhiteLeftBottom->Width(), imgBKWhiteLeftBottom->Height());
  imgBKWhiteBottom->SetBounds(22, h - 38, w - 42, imgBKWhiteBottom->Height());
  imgBKWhiteRight->SetBounds(w - 20, 66, imgBKWhiteRight->Width(), h - 104);
  btnFunc2->SetLeft(btnFunc1->Left() + btnFunc1->Width() - 13);
  btnFunc3->SetLeft(btnFunc2->Left() + btnFunc2->Width() - 13);
  SelectPage(1);
  SplitJob = 0;
  MergeJob = 0;
  UnbufferedMode = 0;
  MergeTotal = 0;
  ResetPages();
  Merge_list->Show();
  UpdateLayout();
  WindowsEnding = 0;
  if (!CommandLinePath.empty()) OpenFile(CommandLinePath);
  // Files handed over by later starts are opened from now on, after the
  // command line's.
  OpenHandedFiles(Handle(), [this](const std::wstring& path) { OpenHandedFile(path); });
  // Files dropped on the window are opened as the command line's is.
  DragAcceptFiles(Handle(), TRUE);

  // The merge list's bars are attached once the list has its window.
  Timer1->SetEnabled(true);
  InitProgressLock();
}

void TfrmMain::OpenFile(const std::wstring& path) {
  const size_t dot = path.find_last_of(L".\\");
  const bool part = dot != std::wstring::npos && path[dot] == L'.' && path.find(L".QuenlorSp", dot) != std::wstring::npos;
  // The file's page is shown first, as its tab would show it.
  if (!SelectPage(part ? 2 : 1)) return;
  if (part)
    FillMergeList(path);
  else
    ShowSource(path);
}

// A drop names one or more files or folders: the first file among them is
// opened; while a job runs a drop changes nothing.
void TfrmMain::OpenDroppedFile(HDROP drop) {
  const UINT count = JobRunning() ? 0 : DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
    DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      OpenFile(path);
      break;
    }
  }
  DragFinish(drop);
}

void TfrmMain::OpenHandedFile(const std::wstring& path) {
  if (JobRunning()) {
    ShowMessageText(35, NameLine(35, path));
    return;
  }
  OpenFile(path);
}

void TfrmMain::Timer1Timer(TObject*) {
  OrvVclScrollBar3->SetPartnerBar(OrvVclScrollBar2);
  OrvVclScrollBar3->AttachToHost(Merge_list->Handle(), Merge_list, nullptr);
  Timer1->SetEnabled(false);
}

// ---------------------------------------------------------------- frame

LRESULT TfrmMain::HitTest(int x, int y) const {
  const int w = Width(), h = Height();
  struct TRegion {
    int Left, Top, Right, Bottom;
    LRESULT Result;
  };
  const TRegion regions[] = {{0, 0, 8, 8, HTTOPLEFT},          {w - 8, h - 8, w, h, HTBOTTOMRIGHT},
                             {w - 8, 0, w, 8, HTTOPRIGHT},     {0, h - 8, 8, h, HTBOTTOMLEFT},
                             {8, 0, w - 8, 3, HTTOP},          {0, 8, 8, h - 8, HTLEFT},
                             {w - 8, 8, w, h - 8, HTRIGHT},    {8, h - 8, w - 8, h, HTBOTTOM}};
  for (const TRegion& r : regions)
    if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return r.Result;
  return HTNOWHERE;
}

void TfrmMain::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_NCHITTEST:
      if (FNotMaximized && FFrameEnabled) {
        POINT p{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
        ::ScreenToClient(Handle(), &p);
        if (LRESULT region = HitTest(p.x, p.y); region != HTNOWHERE) {
          message.Result = region;
          return;
        }
      }
      break;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(message.LParam)->ptMinTrackSize = {700, 524};
      message.Result = 0;
      break;
    case WM_REFRESHLAYOUT:
      UpdateLayout();
      return;
    case WM_DROPFILES:
      OpenDroppedFile(reinterpret_cast<HDROP>(message.WParam));
      message.Result = 0;
      return;
    case WM_QUERYENDSESSION:
      // Windows logs off or shuts down: the window closes without questions.
      WindowsEnding = 1;
      TForm::WndProc(message);
      message.Result = 1;
      return;
    case WM_ENDSESSION:
      // Another program cancelled the log-off or shutdown: closing asks again.
      if (!message.WParam) WindowsEnding = 0;
      break;
  }
  TForm::WndProc(message);
}

void TfrmMain::FormMouseDown(TObject*, TMouseButton Button, TShiftState, int, int) {
  if (Button != mbLeft || !FNotMaximized) return;
  // The system's move loop, as if the caption had been grabbed.
  ReleaseCapture();
  SendMessageW(Handle(), WM_SYSCOMMAND, SC_MOVE + 2, 0);
}

void TfrmMain::GetWorkArea(RECT& area) {
  MONITORINFO info{sizeof(info)};
  if (Application->MainForm() &&
      GetMonitorInfoW(MonitorFromWindow(Application->MainForm()->Handle(), MONITOR_DEFAULTTONEAREST), &info))
    area = info.rcWork;
  else
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
}

void TfrmMain::btnMaxClick(TObject*) {
  FRestoreBounds = {Left(), Top(), Left() + Width(), Top() + Height()};
  RECT area;
  GetWorkArea(area);
  SetBounds(area.left - 2, area.top - 2, area.right - area.left + 4, area.bottom - area.top + 1);
  btnMax->Hide();
  btnRestore->Show();
  btnMax->Repaint();
  btnRestore->Repaint();
  FNotMaximized = 0;
  UpdateLayout();
}

void TfrmMain::btnRestoreClick(TObject*) {
  const RECT& r = FRestoreBounds;
  SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  btnMax->Show();
  btnRestore->Hide();
  btnMax->Repaint();
  btnRestore->Repaint();
  FNotMaximized = 1;
}

void TfrmMain::FormDblClick(TObject*) {
  if (btnMax->Visible()) btnMaxClick(btnMax);
  else if (btnRestore->Visible()) btnRestoreClick(btnRestore);
}

void TfrmMain::btnMinClick(TObject*) { Application->Minimize(); }

void TfrmMain::btnCloseClick(TObject*) { Close(); }

void TfrmMain::FormResize(TObject*) {
  g_MobrelDLL_FormStyle(this);
  g_MobrelDLL_ChangeSize();
  UpdateLayout();
  Repaint();
}

void TfrmMain::UpdateLayout() {
  lb_2->SetLeft(Info_2_lb->Left() + Info_2_lb->Width() + 4);
  Merge_list->Column(0).SetCaption(MessageText(20));
  Merge_list->Column(1).SetCaption(MessageText(21));
}

void TfrmMain::FormPaint(TObject*) {
  TfrmResource& res = *frmResource;
  TImage* frames[] = {res.imgBKBlue, res.imgBKGreen, res.imgBKBlack, res.imgBKYellow, res.imgBKRed};
  TImage* decorations[] = {res.imgBKBlue2, res.imgBKGreen2, res.imgBKBlack2, res.imgBKYellow2, res.imgBKRed2};
  const int skin = CurrentSkin >= 1 && CurrentSkin <= 5 ? CurrentSkin - 1 : 0;
  const int w = Width(), h = Height();
  TCanvas& canvas = Canvas();
  PaintFrame(canvas, frames[skin]->Picture().Bitmap(), w, h);
  if (const TGraphic* decoration = decorations[skin]->Picture().Graphic())
    canvas.Draw(w - res.imgBKBlue2->Width(), 0, *decoration);
  // The page area, white, with a grey line along its top and left.
  canvas.Pen.SetColor(clWhite);
  canvas.Brush.SetColor(clWhite);
  canvas.Rectangle(Rect(14, 65, w - 14, h - 38));
  canvas.Rectangle(Rect(20, h - 38, w - 20, h - 32));
  canvas.Pen.SetColor(0x00666666);
  canvas.Rectangle(Rect(14, 65, w - 14, 66));
  canvas.Rectangle(Rect(14, 65, 15, h - 38));
}

void TfrmMain::PaintFrame(TCanvas& canvas, TBitmap& frame, int w, int h) {
  TCanvas& b = frame.Canvas();
  canvas.CopyRect(Rect(0, 0, 5, 15), b, Rect(0, 0, 5, 15));
  canvas.CopyRect(Rect(5, 0, w - 5, 15), b, Rect(5, 0, 10, 15));
  canvas.CopyRect(Rect(w - 5, 0, w, 15), b, Rect(15, 0, 20, 15));
  canvas.CopyRect(Rect(w - 5, 15, w, h - 5), b, Rect(15, 15, 20, 17));
  canvas.CopyRect(Rect(w - 5, h - 5, w, h), b, Rect(15, 15, 20, 20));
  canvas.CopyRect(Rect(5, h - 5, w - 5, h), b, Rect(10, 15, 15, 20));
  canvas.CopyRect(Rect(0, h - 5, 5, h), b, Rect(0, 15, 5, 20));
  canvas.CopyRect(Rect(0, 15, 5, h - 5), b, Rect(0, 15, 5, 17));
}

// ---------------------------------------------------------------- pages

void TfrmMain::btnFunc1Click(TObject*) { SelectPage(1); }
void TfrmMain::btnFunc2Click(TObject*) { SelectPage(2); }
void TfrmMain::btnFunc3Click(TObject*) { SelectPage(3); }
void TfrmMain::btnFunc4Click(TObject*) { SelectPage(4); }

bool TfrmMain::SelectPage(int n) {
  // A job of the kind the page does not show is stopped first, if the user agrees.
  const bool guarded = n == 1 ? MergeJob : n == 2 ? SplitJob : SplitJob || MergeJob;
  if (guarded) {
    if (!QueryStopJob()) return false;
    ResetJobState();
    ResetPages();
  }
  TPanel* pages[] = {panMain, PanMerge, panOurProducts, panMobrel};
  for (int i = 0; i < 4; ++i) pages[i]->SetVisible(i + 1 == n);
  FPage = n;
  TXImageButtonColor* tabs[] = {btnFunc1, btnFunc2, btnFunc3, btnFunc4};
  for (int i = 3; i >= 0; --i) tabs[i]->BringToFront();
  tabs[n - 1]->BringToFront();
  // The page is painted before the tabs change. A tab click handled
  // meanwhile selects its own page, so the tabs follow the page shown.
  Application->ProcessMessages();
  for (int i = 0; i < 4; ++i) tabs[i]->SetEnabled(i + 1 != FPage);
  return true;
}

// ---------------------------------------------------------------- keyboard

bool TfrmMain::ShortCut(WORD key, TShiftState shift) {
  const bool ctrl = (shift & (ssCtrl | ssAlt)) == ssCtrl;
  if (ctrl && key == VK_TAB) {
    SwitchPage(shift & ssShift ? (FPage + 2) % 4 + 1 : FPage % 4 + 1);
    return true;
  }
  if (ctrl && !(shift & ssShift) && key >= '1' && key <= '4') {
    SwitchPage(key - '0');
    return true;
  }
  if (shift) return false;
  if (key == VK_DELETE && Merge_list->Focused() && M_Clear_btn->CanFocus()) {
    M_Clear_btn->Press();
    return true;
  }
  if ((key == VK_UP || key == VK_DOWN) && block_edt->Focused()) {
    MyUpdown1->Step(key == VK_UP);
    return true;
  }
  return false;
}

void TfrmMain::SwitchPage(int n) {
  if (SelectPage(n)) SelectFirst();
}

// ---------------------------------------------------------------- closing

void TfrmMain::FormCloseQuery(TObject*, bool& CanClose) {
  if (WindowsEnding) {
    CanClose = true;
    return;
  }
  CanClose = false;
  if (!QueryStopJob()) return;
  if (AskYes(4)) {
    CanClose = true;
    return;
  }
  ResetJobState();
  ResetPages();
}

// ---------------------------------------------------------------- skins

void TfrmMain::btnSkinBlueClick(TObject*) { SelectSkin(1, fBlue, 0x00D58B3A); }
void TfrmMain::btnSkinGreenClick(TObject*) { SelectSkin(2, fGreen, 0x003FAA3A); }
void TfrmMain::btnSkinBlackClick(TObject*) { SelectSkin(3, fBlack, 0x00252525); }
void TfrmMain::btnSkinYellowClick(TObject*) { SelectSkin(4, fYellow, 0x003A89E7); }
void TfrmMain::btnSkinRedClick(TObject*) { SelectSkin(5, fRed, 0x003A3ACC); }

// Any skin button shows its hint at once while the mouse is over it.
void TfrmMain::btnSkinGreenMouseEnter(TObject*) { Application->SetHintPause(0); }
void TfrmMain::btnSkinGreenMouseLeave(TObject*) { Application->SetHintPause(800); }

void TfrmMain::SelectSkin(uint8_t number, TButtonColor color, TColor formColor) {
  if (CurrentSkin == number) return;
  CurrentSkin = number;
  ApplySkin(color, formColor);
}

void TfrmMain::ApplySkin(TButtonColor color, TColor formColor) {
  SetColor(formColor);
  g_MobrelDLL_SetSkin(static_cast<uint32_t>(color));
  ShowResizeGrip(color);
  for (TXImageButtonColor* button :
       {btnMin, btnMax, btnClose, btnRestore, btnFunc1, btnFunc2, btnFunc3, btnFunc4, Split_btn, s_cancel_btn})
    button->SetButtonColor(color);
  for (TXProcessBar* bar : {XProcessBar1, XProcessBar2}) bar->SetSkinColor(color);
  const int tints[] = {0, 4, 1, 5, 3, 2};  // by CurrentSkin
  if (CurrentSkin >= 1 && CurrentSkin <= 5) TintSettingsPanel(tints[CurrentSkin]);
  Merge_list->SetPicstyle(SkinToPicstyle(color));
  for (TOrvVclScrollBar* bar : {OrvVclScrollBar2, OrvVclScrollBar3}) bar->SetPicstyle(SkinToPicstyle(color));
  for (TXProcessBar* bar : {XProcessBar3, XProcessBar4}) bar->SetSkinColor(color);
  for (TXImageButtonColor* button : {Merge_btn, M_cancel_btn}) button->SetButtonColor(color);
  Repaint();
}

void TfrmMain::ShowResizeGrip(TButtonColor color) {
  TImage* grips[] = {imgRBJiao1, imgRBJiao2, imgRBJiao3, imgRBJiao4, imgRBJiao5};
  for (TImage* grip : grips) grip->Hide();
  grips[SkinToPicstyle(color) - 1]->Show();
}

void TfrmMain::TintSettingsPanel(int tint) {
  // Panel colour and light colour of the settings panel, by tint.
  const TColor panelColors[] = {0x009EDC9B, 0x009B9BFF, 0x009BCEFF, 0x00F4CA9B, 0x00ABABAB};
  const TColor lightColors[] = {0x00E2F4E1, 0x00E1E1FF, 0x00E1F0FF, 0x00FCEFE1, 0x00E6E6E6};
  const std::pair<TImageList*, TImage*> corners[] = {
      {left_top, Left_top_img}, {right_top, Right_top_img}, {right_b, right_b_img}, {left_b, Left_b_img}};
  for (const auto& [list, image] : corners)
    image->Picture().SetGraphic(&list->Images(tint - 1));
  Panel1->SetColor(panelColors[tint - 1]);
  Shape1->Brush().SetColor(lightColors[tint - 1]);
  MyUpdown1->SetColor(lightColors[tint - 1]);
}

// ---------------------------------------------------------------- home page

void TfrmMain::lblWebsiteURLClick(TObject*) { g_MobrelDLL_VisitHomePage(); }

void TfrmMain::lblWebsiteURLMouseEnter(TObject*) {
  lblWebsiteURL->Font().SetStyle(lblWebsiteURL->Font().Style() | fsUnderline);
}

void TfrmMain::lblWebsiteURLMouseLeave(TObject*) { lblWebsiteURL->Font().SetStyle(0); }
