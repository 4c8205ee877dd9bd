#include "framework/Forms.h"

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <cwctype>

#include "engine/Thread.h"
#include "framework/Dialogs.h"
#include "framework/Layout.h"

TApplication* Application = new TApplication;
TScreen* Screen = new TScreen;

namespace {

constexpr UINT WM_SYNCHRONIZE = WM_APP + 0x3A0;  // a finished thread left work for the main thread
constexpr UINT_PTR kHintShowTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;

HFONT HintFont() {
  static HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
  return font;
}

// Only system calls, none of which throws: it needs no guard.
LRESULT CALLBACK HintWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    RECT r;
    GetClientRect(wnd, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
    wchar_t text[1024];
    GetWindowTextW(wnd, text, 1024);
    HGDIOBJ old = SelectObject(dc, HintFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    InflateRect(&r, -3, -1);
    DrawTextW(dc, text, -1, &r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
    SelectObject(dc, old);
    EndPaint(wnd, &ps);
    return 0;
  }
  if (msg == WM_NCHITTEST) return HTTRANSPARENT;
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

TShiftState KeyShiftState() {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

// The form a window belongs to, when it is one of ours.
TForm* FormOf(HWND wnd) { return dynamic_cast<TForm*>(TWinControl::FromHandle(GetAncestor(wnd, GA_ROOT))); }

// The first shown control under window for which match holds.
template <class F>
TControl* FindShown(TWinControl& window, F match) {
  for (int i = 0; i < window.ControlCount(); ++i) {
    TControl* child = window.Controls(i);
    if (!child->Visible()) continue;
    if (match(*child)) return child;
    if (auto* inner = dynamic_cast<TWinControl*>(child))
      if (TControl* found = FindShown(*inner, match)) return found;
  }
  return nullptr;
}

}  // namespace

// ---------------------------------------------------------------- TForm

TForm::TForm(TComponent* AOwner) : TCustomControl(AOwner) {
  SetVisible(false);
  Screen->forms_.push_back(this);
}

TForm::~TForm() {
  std::erase(Screen->forms_, this);
  if (Application && Application->MainForm() == this) Application->SetMainForm(nullptr);
}

void TForm::BeforeDestruction() {
  if (OnDestroy && !Destroying()) OnDestroy(this);
  TCustomControl::BeforeDestruction();
}

void TForm::ReadLayout() {
  std::wstring path = LayoutPathOf(*this);
  if (path.empty()) throw ELayoutError("", 0, Name(), "", "no layout is registered for this form class");
  LoadLayoutResource(this, path);
  FinishCreate();
}

void TForm::ReadLayoutText(std::string_view text, const std::string& fileName) {
  LoadLayout(this, text, fileName);
  FinishCreate();
}

void TForm::FinishCreate() {
  HandleNeeded();
  if (OnCreate) OnCreate(this);
  if (Visible()) ShowNow();
}

HWND TForm::ParentWindow() { return Application->Handle(); }

void TForm::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.WinClassName = L"QuenlorForm";
  params.Style = WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_SYSMENU;
  switch (border_style_) {
    case bsNone:
      params.Style |= WS_POPUP;
      break;
    case bsSingle:
      params.Style |= WS_CAPTION | WS_BORDER;
      break;
    case bsSizeable:
      params.Style |= WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX;
      break;
    case bsDialog:
      params.Style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
      params.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
    case bsToolWindow:
      params.Style |= WS_CAPTION;
      params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  params.ExStyle |= WS_EX_APPWINDOW;
  params.ClassIcon = ProgramIcon(false);
  params.ClassSmallIcon = ProgramIcon(true);
  if (!Enabled()) params.Style |= WS_DISABLED;
  // A window made anew for a shown form is shown at once; the first one
  // is shown by Show, which also places it.
  if (Visible() && shown_before_) params.Style |= WS_VISIBLE;
}

void TForm::CreateWnd() {
  TCustomControl::CreateWnd();
  // The window's own icons, which the taskbar and Alt+Tab ask for first.
  SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ProgramIcon(false)));
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ProgramIcon(true)));
}

TRect TForm::ClientRect() const {
  if (HandleAllocated()) return TCustomControl::ClientRect();
  // Without a window yet, the frame of the border style is taken off.
  TCreateParams params;
  const_cast<TForm*>(this)->CreateParamsForFrame(params);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
  return Rect(0, 0, Width() - static_cast<int>(frame.right - frame.left),
              Height() - static_cast<int>(frame.bottom - frame.top));
}

void TForm::CreateParamsForFrame(TCreateParams& params) {
  params.Style = border_style_ == bsNone ? WS_POPUP
                 : border_style_ == bsSizeable ? WS_CAPTION | WS_THICKFRAME
                                               : WS_CAPTION | WS_BORDER;
  params.ExStyle = border_style_ == bsDialog ? WS_EX_DLGMODALFRAME : 0;
}

void TForm::SetBorderStyle(TFormBorderStyle value) {
  if (value == border_style_) return;
  const int clientWidth = ClientWidth(), clientHeight = ClientHeight();
  border_style_ = value;
  RecreateWnd();
  SetClientWidth(clientWidth);
  SetClientHeight(clientHeight);
}

void TForm::VisibleChanged() {
  if (!Visible()) {
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    if (OnHide && !Destroying()) OnHide(this);
    return;
  }
  if (!Loading()) ShowNow();
}

void TForm::ShowNow() {
  HWND wnd = Handle();
  if (!shown_before_ && position_ == poScreenCenter)
    SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
  shown_before_ = true;
  ShowWindow(wnd, SW_SHOW);
  if (OnShow) OnShow(this);
}

void TForm::Paint() {
  if (OnPaint) OnPaint(this);
}

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

bool TForm::Close() {
  if (!CloseQuery()) return false;
  Hide();
  if (Application->MainForm() == this) Application->Terminate();
  return true;
}

void TForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_QUERYENDSESSION:
      m.Result = CloseQuery() ? 1 : 0;
      return;
    default:
      TCustomControl::WndProc(m);
  }
}

// ---------------------------------------------------------------- keyboard

bool TForm::ShortCut(WORD, TShiftState) { return false; }

bool TForm::DialogKey(const MSG& msg) {
  const auto key = static_cast<WORD>(msg.wParam);
  const TShiftState shift = KeyShiftState();
  // Moving about by keyboard shows where the focus is from now on.
  if (key == VK_TAB || (key >= VK_LEFT && key <= VK_DOWN)) ShowFocusCues(true);
  if (ShortCut(key, shift)) return true;
  if ((shift & (ssAlt | ssCtrl)) == ssAlt) {
    // Alt shows the mnemonics. Alt's keys go on to the system, which keeps
    // its menu key apart and makes WM_SYSCHAR of them (MnemonicChar).
    if (key == VK_MENU) ShowAllCues();
    return false;
  }
  const auto wanted = static_cast<UINT>(
      SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)));
  if (wanted & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
  TControl* active = ActiveControl();
  if (active && !active->Focused()) active = nullptr;
  const bool plain = !(shift & (ssCtrl | ssAlt));
  switch (key) {
    case VK_TAB:
      if (!plain || (wanted & DLGC_WANTTAB)) return false;
      SelectNext(!(shift & ssShift));
      return true;
    case VK_SPACE:
    case VK_RETURN:
      if (!plain) return false;
      if (active && active->Pressable() && active->CanFocus()) {
        active->Press();
        return true;
      }
      return key == VK_RETURN && PressMarked(&TControl::Default);
    case VK_ESCAPE:
      return plain && PressMarked(&TControl::Cancel);
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      if (!plain || !active || active->AccessibleRole() != arRadioButton) return false;
      return MoveInRadioGroup(*active, key == VK_RIGHT || key == VK_DOWN);
    default:
      return false;
  }
}

bool TForm::MnemonicChar(wchar_t c) {
  const auto letter = static_cast<wchar_t>(towupper(c));
  TControl* control = FindShown(*this, [letter](TControl& shown) { return shown.Mnemonic() == letter; });
  if (control) control->MnemonicPressed();
  return control != nullptr;
}

bool TForm::PressMarked(bool (TControl::*marked)() const) {
  TControl* control = FindShown(*this, [marked](TControl& c) { return (c.*marked)() && c.CanFocus(); });
  if (control) control->Press();
  return control != nullptr;
}

bool TForm::MoveInRadioGroup(TControl& radio, bool forward) {
  std::vector<TControl*> group;
  for (int i = 0; i < radio.Parent()->ControlCount(); ++i) {
    TControl* c = radio.Parent()->Controls(i);
    if (c == &radio || (c->AccessibleRole() == arRadioButton && c->CanFocus())) group.push_back(c);
  }
  std::stable_sort(group.begin(), group.end(), [](const TControl* a, const TControl* b) {
    return static_cast<unsigned>(a->TabOrder()) < static_cast<unsigned>(b->TabOrder());
  });
  const auto n = static_cast<int>(group.size());
  if (n < 2) return true;
  const auto at = static_cast<int>(std::find(group.begin(), group.end(), &radio) - group.begin());
  TControl* next = group[(at + (forward ? 1 : n - 1)) % n];
  next->SetFocus();
  next->Press();
  return true;
}

// ---------------------------------------------------------------- TApplication

TApplication::TApplication() : TComponent(nullptr) { ControlHost = this; }

TApplication::~TApplication() {
  if (ControlHost == this) ControlHost = nullptr;
  if (hint_window_) DestroyWindow(hint_window_);
  if (handle_) DestroyWindow(handle_);
}

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  Handle();
}

HWND TApplication::Handle() {
  if (handle_) return handle_;
  EnsureWindowClass(L"QuenlorApplication", WindowProcedure, 0, nullptr);
  EnsureWindowClass(L"QuenlorHint", HintWindowProc, CS_SAVEBITS, nullptr);
  handle_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"QuenlorApplication", title_.c_str(), WS_POPUP, 0, 0, 0, 0,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!handle_) RaiseLastOSError("CreateWindowEx for the application window");
  HWND wnd = handle_;
  SetSynchronizeWakeup([wnd] { PostMessageW(wnd, WM_SYNCHRONIZE, 0, 0); });
  return handle_;
}

LRESULT CALLBACK TApplication::WindowProcedure(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!Application || Application->handle_ != wnd) return DefWindowProcW(wnd, msg, wParam, lParam);
  LRESULT result = 0;
  RunGuarded(Application, [&] { result = Application->HandleAppMessage(msg, wParam, lParam); });
  return result;
}

LRESULT TApplication::HandleAppMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SYNCHRONIZE:
      Synchronize();
      return 0;
    case WM_TIMER:
      if (wParam == kHintShowTimer) {
        KillTimer(handle_, kHintShowTimer);
        ShowHintNow();
      } else if (wParam == kHintHideTimer) {
        CancelHint();
      }
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_RESTORE:
          Restore();
          return 0;
        case SC_MINIMIZE:
          Minimize();
          return 0;
      }
      break;
  }
  return DefWindowProcW(handle_, msg, wParam, lParam);
}

void TApplication::Run() {
  Handle();
  Synchronize();
  if (main_form_ && ShowMainForm) RunGuarded(this, [this] { main_form_->Show(); });
  MSG msg;
  while (!terminated_) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      terminated_ = true;
      break;
    }
    Dispatch(msg);
  }
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      break;
    }
    Dispatch(msg);
  }
}

void TApplication::Synchronize() {
  // A failing handler is reported, and the ones queued after it still run.
  while (!RunGuarded(this, [] { CheckSynchronize(); })) {
  }
}

void TApplication::Dispatch(const MSG& msg) {
  RunGuarded(this, [this, &msg] {
    if (RouteInput(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  });
}

bool TApplication::RouteInput(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_SYSCHAR) return false;
  TForm* form = FormOf(msg.hwnd);
  if (!form || !form->Enabled()) return false;
  return msg.message == WM_SYSCHAR ? form->MnemonicChar(static_cast<wchar_t>(msg.wParam)) : form->DialogKey(msg);
}

// ---------------------------------------------------------------- errors

void TApplication::HandleException(TObject* Sender) noexcept {
  std::exception_ptr error = std::current_exception();
  if (!error) return;
  try {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      ReportException(Sender, e);
    } catch (...) {
      ReportException(Sender, std::runtime_error("unknown error"));
    }
  } catch (...) {
    // The report failed in turn; there is nothing left to tell it with.
  }
}

void TApplication::ReportException(TObject* Sender, const std::exception& E) {
  if (OnException) OnException(Sender, E);
  else ShowException(E);
}

void TApplication::ShowException(const std::exception& E) {
  ShowMessageBox(nullptr, Utf8ToWide(E.what()), title_, MB_OK | MB_ICONERROR);
}

void TApplication::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  PostQuitMessage(0);
}

void TApplication::SetTitle(const std::wstring& value) {
  title_ = value;
  if (handle_) SetWindowTextW(handle_, value.c_str());
}

void TApplication::Minimize() {
  CancelHint();
  if (main_form_ && main_form_->HandleAllocated()) ShowWindow(main_form_->Handle(), SW_MINIMIZE);
  if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
  if (!main_form_) return;
  HWND wnd = main_form_->Handle();
  if (IsIconic(wnd)) ShowWindow(wnd, SW_RESTORE);
  else if (main_form_->Visible()) ShowWindow(wnd, SW_SHOW);
  SetForegroundWindow(wnd);
  if (OnRestore) OnRestore(this);
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component == main_form_) main_form_ = nullptr;
}

// ---------------------------------------------------------------- hints

void TApplication::HintMouseEnter(TControl* control) {
  CancelHint();
  if (!ShowHint || !control || !control->EffectiveShowHint() || control->Hint().empty()) return;
  hint_control_ = control;
  SetTimer(Handle(), kHintShowTimer, static_cast<UINT>(std::max(hint_pause_, 0)), nullptr);
}

void TApplication::ShowHintNow() {
  if (!hint_control_ || !hint_control_->MouseInControl()) return;
  hint_text_ = hint_control_->Hint();
  if (!hint_window_)
    hint_window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, L"QuenlorHint", L"",
                                   WS_POPUP | WS_BORDER, 0, 0, 0, 0, Handle(), nullptr, GetModuleHandleW(nullptr),
                                   nullptr);
  SetWindowTextW(hint_window_, hint_text_.c_str());
  HDC dc = GetDC(hint_window_);
  HGDIOBJ old = SelectObject(dc, HintFont());
  RECT r{0, 0, 300, 0};
  DrawTextW(dc, hint_text_.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
  SelectObject(dc, old);
  ReleaseDC(hint_window_, dc);
  POINT cursor;
  GetCursorPos(&cursor);
  SetWindowPos(hint_window_, HWND_TOPMOST, cursor.x, cursor.y + 20, r.right + 8, r.bottom + 4,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  hint_visible_ = true;
  SetTimer(Handle(), kHintHideTimer, static_cast<UINT>(std::max(hint_hide_pause_, 1)), nullptr);
}

void TApplication::CancelHint() {
  if (handle_) {
    KillTimer(handle_, kHintShowTimer);
    KillTimer(handle_, kHintHideTimer);
  }
  if (hint_visible_) ShowWindow(hint_window_, SW_HIDE);
  hint_visible_ = false;
  hint_control_ = nullptr;
}

HCURSOR TApplication::CursorHandle(TCursor cursor) const { return Screen->CursorHandle(cursor); }

HWND TApplication::MainWindow() const {
  TForm* main = MainForm();
  return main && main->HandleAllocated() ? main->Handle() : nullptr;
}

std::wstring TApplication::ActiveHint() const { return hint_visible_ ? hint_text_ : std::wstring(); }

void TApplication::ControlDestroyed(TControl* control) {
  if (control == hint_control_) CancelHint();
}

// ---------------------------------------------------------------- TScreen

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

HCURSOR TScreen::CursorHandle(TCursor cursor) const {
  const wchar_t* id = IDC_ARROW;
  switch (cursor) {
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: id = IDC_SIZEWE; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: id = IDC_NO; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    default: break;
  }
  return LoadCursorW(nullptr, id);
}

TForm* TScreen::FindForm(const std::string& name) const {
  for (TForm* form : forms_)
    if (SameName(form->Name(), name)) return form;
  return nullptr;
}

// ---------------------------------------------------------------- layout

namespace {

const bool registered = [] {
  RegisterEnum<TFormBorderStyle>({{"bsNone", bsNone},
                                  {"bsSingle", bsSingle},
                                  {"bsSizeable", bsSizeable},
                                  {"bsDialog", bsDialog},
                                  {"bsToolWindow", bsToolWindow}});
  RegisterEnum<TPosition>({{"poDesigned", poDesigned}, {"poScreenCenter", poScreenCenter}});
  RegisterClass<TForm, TCustomControl>("TForm")
      .Prop("Caption", &TForm::SetCaption)
      .Prop("BorderStyle", &TForm::SetBorderStyle)
      .Prop("Position", &TForm::SetPosition)
      .Event("OnCreate", &TForm::OnCreate)
      .Event("OnDestroy", &TForm::OnDestroy)
      .Event("OnShow", &TForm::OnShow)
      .Event("OnHide", &TForm::OnHide)
      .Event("OnPaint", &TForm::OnPaint)
      .Event("OnCloseQuery", &TForm::OnCloseQuery);
  return true;
}();

}  // namespace
