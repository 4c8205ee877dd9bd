#include "framework/Controls.h"

#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>
#include <cwctype>
#include <stdexcept>

#include "framework/Layout.h"

TControlHost* ControlHost = nullptr;

namespace {

long SystemRole(TAccessibleRole role) {
  switch (role) {
    case arPushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case arRadioButton: return ROLE_SYSTEM_RADIOBUTTON;
    case arCheckBox: return ROLE_SYSTEM_CHECKBUTTON;
    case arPageTab: return ROLE_SYSTEM_PAGETAB;
    case arProgressBar: return ROLE_SYSTEM_PROGRESSBAR;
    case arStaticText: return ROLE_SYSTEM_STATICTEXT;
    case arLink: return ROLE_SYSTEM_LINK;
    case arEditableText: return ROLE_SYSTEM_TEXT;
    case arComboBox: return ROLE_SYSTEM_COMBOBOX;
    case arList: return ROLE_SYSTEM_LIST;
    default: return 0;
  }
}

// The dotted focus rectangle just inside bounds (on the edge of a small control).
void DrawFocusCue(HDC dc, RECT bounds) {
  if (bounds.right - bounds.left > 8 && bounds.bottom - bounds.top > 8) InflateRect(&bounds, -1, -1);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  DrawFocusRect(dc, &bounds);
}

// The system cursor of a cursor identifier; the arrow without a host.
HCURSOR CursorOf(TCursor cursor) {
  return ControlHost ? ControlHost->CursorHandle(cursor) : LoadCursorW(nullptr, IDC_ARROW);
}

bool Intersects(const TRect& a, const TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// A 32-bit off-screen surface whose logical coordinates are those of the
// area of the window it stands for.
class TOffscreen {
 public:
  TOffscreen(HDC reference, const TRect& area) {
    dc_ = CreateCompatibleDC(reference);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = area.Width();
    info.bmiHeader.biHeight = -area.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    SetWindowOrgEx(dc_, area.Left, area.Top, nullptr);
  }
  ~TOffscreen() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  TOffscreen(const TOffscreen&) = delete;
  TOffscreen& operator=(const TOffscreen&) = delete;
  HDC DC() const { return dc_; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

void FillArea(HDC dc, const TRect& area, TColor color) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  RECT r = area.ToRECT();
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

const wchar_t* const kControlProperty = L"QuenlorControl";

// Lends dc to canvas, with the control's font and colour, while paint runs.
template <class F>
void PaintOnCanvas(TCanvas& canvas, HDC dc, const TControl& control, F paint) {
  canvas.SetHandle(dc);
  TScopeGuard release([&canvas] { canvas.SetHandle(nullptr); });
  canvas.Font.Assign(control.Font());
  canvas.Brush.SetColor(control.Color());
  paint();
}

}  // namespace

// ---------------------------------------------------------------- TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), font_(std::make_unique<TFont>()) {
  font_->OnChange = [this] {
    if (!updating_from_parent_) parent_font_ = false;
    FontChanged();
  };
}

TControl::~TControl() {
  font_->OnChange = nullptr;
  if (ControlHost) ControlHost->ControlDestroyed(this);
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw std::invalid_argument("a control cannot be its own parent");
  if (parent_) parent_->RemoveControl(this);
  parent_ = parent;
  if (!parent_) return;
  parent_->InsertControl(this);
  if (parent_font_) ParentFontChanged();
  if (parent_color_) ParentColorChanged();
  RecordAnchorBase();
  Invalidate();
}

void TControl::SetParentComponent(TComponent* parent) {
  auto* window = dynamic_cast<TWinControl*>(parent);
  if (!window) throw std::invalid_argument(parent->Name() + " cannot hold the control " + Name());
  SetParent(window);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  StoreBounds(left, top, width, height);
  if (!anchoring_) RecordAnchorBase();
}

void TControl::StoreBounds(int left, int top, int width, int height) {
  const bool moved = left != left_ || top != top_;
  const bool sized = width != width_ || height != height_;
  if (!moved && !sized) return;
  Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Invalidate();
  if (sized) ClientResized();
  BoundsChanged();
  if (sized) Resize();
}

void TControl::RecordAnchorBase() {
  anchor_bounds_ = BoundsRect();
  if (parent_) anchor_parent_size_ = {parent_->ClientWidth(), parent_->ClientHeight()};
}

void TControl::ApplyAnchors() {
  if (!parent_ || anchors_ == (akLeft | akTop)) return;
  const int dx = parent_->ClientWidth() - anchor_parent_size_.X;
  const int dy = parent_->ClientHeight() - anchor_parent_size_.Y;
  int left = anchor_bounds_.Left, width = anchor_bounds_.Width();
  int top = anchor_bounds_.Top, height = anchor_bounds_.Height();
  if (anchors_ & akRight) {
    if (anchors_ & akLeft) width += dx;
    else left += dx;
  } else if (!(anchors_ & akLeft)) {
    left += dx / 2;
  }
  if (anchors_ & akBottom) {
    if (anchors_ & akTop) height += dy;
    else top += dy;
  } else if (!(anchors_ & akTop)) {
    top += dy / 2;
  }
  TValueGuard anchoring(anchoring_, true);
  SetBounds(left, top, std::max(width, 0), std::max(height, 0));
}

void TControl::SetAnchors(TAnchors value) {
  anchors_ = value;
  RecordAnchorBase();
}

void TControl::SetVisible(bool value) {
  if (value == visible_) return;
  if (!value) Invalidate();
  visible_ = value;
  if (value) Invalidate();
  VisibleChanged();
}

bool TControl::Showing() const {
  if (!visible_) return false;
  if (parent_) return parent_->Showing();
  auto* self = dynamic_cast<const TWinControl*>(this);
  return self && self->HandleAllocated() && IsWindowVisible(const_cast<TWinControl*>(self)->Handle());
}

void TControl::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  EnabledChanged();
}

void TControl::SetShowHint(bool value) {
  show_hint_ = value;
  parent_show_hint_ = false;
}

void TControl::SetParentShowHint(bool value) { parent_show_hint_ = value; }

bool TControl::EffectiveShowHint() const {
  if (parent_show_hint_ && parent_) return parent_->EffectiveShowHint();
  return show_hint_;
}

void TControl::SetCursor(TCursor value) {
  cursor_ = value;
  if (mouse_in_control_) ::SetCursor(CursorOf(value));
}

void TControl::SetColor(TColor value) {
  if (!updating_from_parent_) parent_color_ = false;
  if (value == color_) return;
  color_ = value;
  ColorChanged();
}

void TControl::SetParentColor(bool value) {
  parent_color_ = value;
  if (value) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!parent_color_ || !parent_) return;
  TValueGuard updating(updating_from_parent_, true);
  SetColor(parent_->Color());
}

void TControl::SetParentFont(bool value) {
  parent_font_ = value;
  if (value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!parent_font_ || !parent_) return;
  TValueGuard updating(updating_from_parent_, true);
  font_->Assign(parent_->Font());
}

void TControl::SetText(const std::wstring& value) {
  if (value == text_) return;
  text_ = value;
  TextChanged();
}

void TControl::BringToFront() {
  if (parent_) parent_->ControlToFront(this, true);
}

void TControl::SendToBack() {
  if (parent_) parent_->ControlToFront(this, false);
}

void TControl::Invalidate() {
  if (visible_ && parent_) parent_->InvalidateRect(BoundsRect());
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

HWND TControl::DisplayHandle() const { return parent_ ? parent_->DisplayHandle() : nullptr; }

TPoint TControl::OriginInDisplay() const {
  TPoint origin = parent_ ? parent_->OriginInDisplay() : TPoint{};
  return {origin.X + left_, origin.Y + top_};
}

TPoint TControl::ClientToScreen(TPoint p) const {
  TPoint origin = OriginInDisplay();
  POINT pt{p.X + origin.X, p.Y + origin.Y};
  if (HWND wnd = DisplayHandle()) ::ClientToScreen(wnd, &pt);
  return {pt.x, pt.y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
  POINT pt{p.X, p.Y};
  if (HWND wnd = DisplayHandle()) ::ScreenToClient(wnd, &pt);
  TPoint origin = OriginInDisplay();
  return {pt.x - origin.X, pt.y - origin.Y};
}

void TControl::Notify(const TNotifyEvent& event) {
  if (event && !Loading() && !Destroying()) event(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::Loaded() {
  TComponent::Loaded();
  RecordAnchorBase();
}

void TControl::BoundsChanged() {}

void TControl::Resize() {
  Notify(OnResize);
}

void TControl::VisibleChanged() {
  if (!visible_ && parent_) parent_->mouse_.Forget(this);
}

void TControl::EnabledChanged() {
  if (!enabled_ && parent_) parent_->mouse_.Forget(this);
  Invalidate();
}

void TControl::FontChanged() { Invalidate(); }
void TControl::ColorChanged() { Invalidate(); }
void TControl::TextChanged() { Invalidate(); }

// ---------------------------------------------------------------- focus

TControl* TControl::Root() {
  TControl* c = this;
  while (c->parent_) c = c->parent_;
  return c;
}

bool TControl::CanFocus() const {
  if (!Showing() || !Operable()) return false;
  for (const TControl* c = parent_; c; c = c->parent_)
    if (!c->enabled_) return false;
  return enabled_;
}

void TControl::SetFocus() {
  auto* root = dynamic_cast<TWinControl*>(Root());
  if (!root || !CanFocus()) return;
  HWND wnd = root->Handle();
  if (GetFocus() != wnd) ::SetFocus(wnd);
  root->SetActiveControl(this);
}

bool TControl::Focused() const {
  auto* root = dynamic_cast<TWinControl*>(const_cast<TControl*>(this)->Root());
  return root && root->active_control_ == this && root->HandleAllocated() && GetFocus() == root->handle_;
}

bool TControl::Pressable() const {
  switch (accessible_role_) {
    case arPushButton:
    case arRadioButton:
    case arCheckBox:
    case arPageTab:
    case arLink:
      return true;
    default:
      return false;
  }
}

void TControl::SetMnemonic(const std::wstring& value) {
  mnemonic_ = value.empty() ? 0 : static_cast<wchar_t>(towupper(value[0]));
}

void TControl::MnemonicPressed() {
  if (!CanFocus()) return;
  if (accessible_role_ != arPushButton) SetFocus();
  if (Pressable()) Press();
}

bool TControl::MnemonicShown() {
  auto* root = dynamic_cast<TWinControl*>(Root());
  return mnemonic_ && root && !(root->ui_state_ & UISF_HIDEACCEL);
}

void TControl::UnderlineMnemonic(TCanvas& canvas, int x, int y, const std::wstring& text) {
  if (!MnemonicShown()) return;
  size_t at = 0;
  while (at < text.size() && static_cast<wchar_t>(towupper(text[at])) != mnemonic_) ++at;
  if (at == text.size()) return;
  TEXTMETRICW metrics{};
  GetTextMetricsW(canvas.Handle(), &metrics);
  const int left = x + static_cast<int>(canvas.TextExtent(text.substr(0, at)).cx);
  const int right = left + static_cast<int>(canvas.TextExtent(text.substr(at, 1)).cx);
  const RECT line{left, y + metrics.tmAscent + 1, right, y + metrics.tmAscent + 2};
  HBRUSH brush = CreateSolidBrush(ColorToRGB(canvas.Font.Color()));
  FillRect(canvas.Handle(), &line, brush);
  DeleteObject(brush);
}

// ---------------------------------------------------------------- accessibility

std::wstring TControl::AccessibleName() const { return accessible_name_; }

TAccessibleElement TControl::Describe() {
  TAccessibleElement e;
  e.Name = AccessibleName();
  e.Role = SystemRole(accessible_role_);
  e.Value = AccessibleValue();
  if (Pressable()) e.DefaultAction = L"Press";
  e.State = AccessibleState();
  if (!Operable()) e.State |= STATE_SYSTEM_UNAVAILABLE;
  if (!Showing()) e.State |= STATE_SYSTEM_INVISIBLE;
  if (tab_stop_ && CanFocus()) e.State |= STATE_SYSTEM_FOCUSABLE;
  if (Focused()) e.State |= STATE_SYSTEM_FOCUSED;
  const TPoint origin = ClientToScreen({0, 0});
  e.Bounds = {origin.X, origin.Y, origin.X + width_, origin.Y + height_};
  return e;
}

// ---------------------------------------------------------------- TGraphicControl

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

void TGraphicControl::PaintTo(HDC dc) {
  PaintOnCanvas(canvas_, dc, *this, [this] { Paint(); });
}

// ---------------------------------------------------------------- TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  DestroyHandle();
  // Children go with their parent, as their windows would.
  while (!controls_.empty()) {
    TControl* child = controls_.back();
    RemoveControl(child);
    child->parent_ = nullptr;
    child->Free();
  }
}

void TWinControl::BeforeDestruction() {
  TControl::BeforeDestruction();
  DestroyHandle();
}

TWinControl* TWinControl::FromHandle(HWND wnd) {
  return wnd ? static_cast<TWinControl*>(GetPropW(wnd, kControlProperty)) : nullptr;
}

HWND TWinControl::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

HWND TWinControl::ParentWindow() {
  if (!Parent()) throw std::logic_error("control " + Name() + " has no parent window");
  return Parent()->Handle();
}

namespace {
thread_local TWinControl* g_creating = nullptr;
}

void EnsureWindowClass(const wchar_t* name, WNDPROC procedure, UINT style, HCURSOR cursor, HICON icon,
                       HICON smallIcon) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(instance, name, &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hCursor = cursor;
  wc.hIcon = icon;
  wc.hIconSm = smallIcon;
  wc.lpszClassName = name;
  if (!RegisterClassExW(&wc)) RaiseLastOSError("RegisterClassEx");
}

HICON ProgramIcon(bool small) {
  const int size = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
  // Shared: the system keeps one copy and frees it with the module.
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, size, size, LR_SHARED));
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Caption = text_;
  params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (Visible()) params.Style |= WS_VISIBLE;
  if (!Enabled()) params.Style |= WS_DISABLED;
  params.X = Left();
  params.Y = Top();
  params.Width = Width();
  params.Height = Height();
  params.WndParent = ParentWindow();
}

void TWinControl::CreateHandle() {
  TCreateParams params;
  CreateParams(params);
  if (!params.NativeClass) {
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    EnsureWindowClass(params.WinClassName.c_str(), WindowProcedure, params.ClassStyle, arrow, params.ClassIcon,
                      params.ClassSmallIcon);
  }
  HWND wnd = nullptr;
  DWORD error = 0;
  {
    TValueGuard creating(g_creating, params.NativeClass ? nullptr : this);
    wnd = CreateWindowExW(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style,
                          params.X, params.Y, params.Width, params.Height, params.WndParent, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
    error = GetLastError();  // before the thread-local store, which clears it
  }
  if (!wnd) throw EOSError("CreateWindowEx for " + Name(), error);
  native_ = params.NativeClass;
  if (native_) {
    Attach(wnd);
    default_proc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProcedure)));
    // The native window measured its frame before it was subclassed; the
    // border band is added by measuring it again.
    if (border_width_ > 0)
      SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  CreateWnd();
  for (TControl* child : controls_)
    if (auto* win = dynamic_cast<TWinControl*>(child); win && !win->handle_) win->CreateHandle();
  for (TControl* child : controls_)
    if (auto* win = dynamic_cast<TWinControl*>(child))
      SetWindowPos(win->handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::CreateWnd() {
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
  UpdateBoundsFromWindow();
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TControl* child : controls_)
    if (auto* win = dynamic_cast<TWinControl*>(child)) win->DestroyHandle();
  DestroyWnd();
  if (handle_) DestroyWindow(handle_);
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  DestroyHandle();
  HandleNeeded();
}

void TWinControl::Attach(HWND wnd) {
  handle_ = wnd;
  SetPropW(wnd, kControlProperty, this);
  if (!native_) default_proc_ = DefWindowProcW;
}

void TWinControl::Detach() {
  RemovePropW(handle_, kControlProperty);
  if (native_ && GetWindowLongPtrW(handle_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(WindowProcedure))
    SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(default_proc_));
  handle_ = nullptr;
  mouse_.Reset();
}

LRESULT CALLBACK TWinControl::WindowProcedure(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = FromHandle(wnd);
  if (!control && g_creating) {
    control = g_creating;
    g_creating = nullptr;
    control->Attach(wnd);
  }
  if (!control) return DefWindowProcW(wnd, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  RunGuarded(control, [&] { control->WndProc(message); });
  if (msg == WM_NCDESTROY && control->handle_ == wnd) control->Detach();
  return message.Result;
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (!handle_) return;
  m.Result = native_ ? CallWindowProcW(default_proc_, handle_, m.Msg, m.WParam, m.LParam)
                     : DefWindowProcW(handle_, m.Msg, m.WParam, m.LParam);
}

LRESULT TWinControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  return SendMessageW(Handle(), msg, wParam, lParam);
}

bool TWinControl::ReflectNotification(TMessage& m) {
  HWND from = nullptr;
  switch (m.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      from = reinterpret_cast<HWND>(m.LParam);
      break;
    case WM_NOTIFY:
      from = reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom;
      break;
    default:
      return false;
  }
  if (!from || from == handle_ || !FromHandle(from)) return false;
  m.Result = SendMessageW(from, CN_BASE + m.Msg, m.WParam, m.LParam);
  return true;
}

void TWinControl::WndProc(TMessage& m) {
  if (ReflectNotification(m)) return;
  switch (m.Msg) {
    case WM_PAINT:
      if (!native_) {
        HandlePaint(m);
        return;
      }
      break;
    case WM_ERASEBKGND:
      if (!native_) {
        m.Result = 1;  // everything is painted in one pass by WM_PAINT
        return;
      }
      break;
    case WM_PRINTCLIENT:
      if (!native_) {
        HandlePaint(m);
        return;
      }
      break;
    case WM_SETCURSOR:
      if (!native_ && reinterpret_cast<HWND>(m.WParam) == handle_ && LOWORD(m.LParam) == HTCLIENT) {
        POINT pt;
        GetCursorPos(&pt);
        ::ScreenToClient(handle_, &pt);
        TControl* over = ControlAtPos({pt.x, pt.y});
        TCursor cursor = over && over->Cursor() != crDefault ? over->Cursor() : Cursor();
        ::SetCursor(CursorOf(cursor));
        m.Result = TRUE;
        return;
      }
      if (native_ && Cursor() != crDefault && LOWORD(m.LParam) == HTCLIENT) {
        ::SetCursor(CursorOf(Cursor()));
        m.Result = TRUE;
        return;
      }
      break;
    case WM_CHAR: {
      auto key = static_cast<wchar_t>(m.WParam);
      KeyPress(key);
      if (key == 0) return;
      m.WParam = key;
      break;
    }
    case WM_NCCALCSIZE:
      DefaultHandler(m);
      if (border_width_ > 0 && m.WParam) {
        RECT& r = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0];
        InflateRect(&r, -border_width_, -border_width_);
      }
      return;
    case WM_WINDOWPOSCHANGED:
      DefaultHandler(m);
      UpdateBoundsFromWindow();
      return;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(m.LParam) != handle_) mouse_.CaptureLost();
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // A child window becomes the active control; the top-level window
      // holds the focus for a windowless one, whose cue follows it.
      if (m.Msg == WM_SETFOCUS && Parent()) SetActiveControl(this);
      else if (!Parent() && active_control_ && FocusCuesShown()) active_control_->Invalidate();
      if (Parent() && !native_ && FocusCuesShown()) Invalidate();
      break;
    case WM_CHANGEUISTATE:
    case WM_QUERYUISTATE:
      if (native_) break;  // native windows keep the system's state
      if (m.Msg == WM_QUERYUISTATE) m.Result = RootWindow()->ui_state_;
      else if (Parent()) RootWindow()->Perform(m.Msg, m.WParam, m.LParam);
      else ChangeUiState(LOWORD(m.WParam), HIWORD(m.WParam));
      return;
    case WM_GETOBJECT:
      if (LRESULT object = AnswerGetObject(handle_, m.WParam, m.LParam, &ProviderOf)) {
        m.Result = object;
        return;
      }
      break;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORSCROLLBAR: {
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      SetTextColor(dc, ColorToRGB(Font().Color()));
      SetBkColor(dc, ColorToRGB(Color()));
      brush_.SetColor(Color());
      m.Result = reinterpret_cast<LRESULT>(brush_.Handle());
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      // Using the mouse hides the focus cues again.
      if (FocusCuesShown()) ShowFocusCues(false);
      mouse_.Route(m);
      break;
    default:
      if ((m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST) || m.Msg == WM_MOUSELEAVE) mouse_.Route(m);
      break;
  }
  DefaultHandler(m);
}

void TWinControl::KeyPress(wchar_t& key) {
  if (OnKeyPress && !Destroying()) OnKeyPress(this, key);
}

// ---------------------------------------------------------------- painting

void TWinControl::HandlePaint(TMessage& m) {
  if (auto dc = reinterpret_cast<HDC>(m.WParam)) {
    RECT clip;
    if (GetClipBox(dc, &clip) != NULLREGION) PaintArea(dc, TRect::FromRECT(clip));
    return;
  }
  PAINTSTRUCT ps{};
  HWND wnd = handle_;
  HDC dc = BeginPaint(wnd, &ps);
  // Ended also when a paint handler fails, so that the window does not ask again at once.
  TScopeGuard end([wnd, &ps] { EndPaint(wnd, &ps); });
  PaintArea(dc, TRect::FromRECT(ps.rcPaint));
}

void TWinControl::PaintArea(HDC dc, const TRect& area) {
  if (area.IsEmpty()) return;
  TOffscreen buffer(dc, area);
  PaintBackground(buffer.DC(), area);
  PaintWindow(buffer.DC());
  PaintControls(buffer.DC(), area);
  if (Parent()) PaintFocusCue(buffer.DC(), *this);
  BitBlt(dc, area.Left, area.Top, area.Width(), area.Height(), buffer.DC(), area.Left, area.Top, SRCCOPY);
}

void TWinControl::PaintBackground(HDC dc, const TRect& area) { FillArea(dc, area, Color()); }

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC dc, const TRect& area) {
  for (TControl* child : controls_) {
    auto* graphic = dynamic_cast<TGraphicControl*>(child);
    if (!graphic || !graphic->Visible() || !Intersects(graphic->BoundsRect(), area)) continue;
    int saved = SaveDC(dc);
    OffsetWindowOrgEx(dc, -graphic->Left(), -graphic->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, graphic->Width(), graphic->Height());
    graphic->PaintTo(dc);
    PaintFocusCue(dc, *graphic);
    RestoreDC(dc, saved);
  }
}

void TWinControl::InvalidateRect(const TRect& r) {
  if (!handle_ || r.IsEmpty()) return;
  RECT rect = r.ToRECT();
  ::InvalidateRect(handle_, &rect, FALSE);
}

void TWinControl::Invalidate() {
  if (handle_) ::InvalidateRect(handle_, nullptr, FALSE);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

// ---------------------------------------------------------------- children

void TWinControl::InsertControl(TControl* control) { controls_.push_back(control); }

void TWinControl::RemoveControl(TControl* control) {
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it == controls_.end()) return;
  control->Invalidate();
  controls_.erase(it);
  mouse_.Forget(control);
  // The active control is forgotten with the branch it belongs to.
  TWinControl* root = RootWindow();
  for (TControl* c = root->active_control_; c; c = c->parent_)
    if (c == control) {
      root->active_control_ = nullptr;
      break;
    }
}

bool TWinControl::ContainsControl(const TControl* control) const {
  return std::find(controls_.begin(), controls_.end(), control) != controls_.end();
}

void TWinControl::ControlToFront(TControl* control, bool front) {
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it == controls_.end()) return;
  controls_.erase(it);
  if (front) controls_.push_back(control);
  else controls_.insert(controls_.begin(), control);
  if (auto* win = dynamic_cast<TWinControl*>(control); win && win->handle_)
    SetWindowPos(win->handle_, front ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  control->Invalidate();
}

TControl* TWinControl::ControlAtPos(TPoint p) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c)) continue;
    if (c->Visible() && c->Enabled() && c->BoundsRect().Contains(p)) return c;
  }
  return nullptr;
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == Parent()) return;
  if (handle_ && !KeepsHandleOnReparent()) DestroyHandle();
  TControl::SetParent(parent);
  if (parent && parent->HandleAllocated() && !Loading()) HandleNeeded();
}

void TWinControl::ClientResized() {
  if (Loading()) return;
  for (TControl* child : std::vector<TControl*>(controls_)) child->ApplyAnchors();
}

// ---------------------------------------------------------------- bounds

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (handle_) {
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // A window that refuses the size (minimum size, minimised) keeps its own.
    if (IsIconic(handle_)) StoreBounds(left, top, width, height);
  } else {
    StoreBounds(left, top, width, height);
  }
  if (!anchoring_) RecordAnchorBase();
}

void TWinControl::UpdateBoundsFromWindow() {
  if (!handle_ || IsIconic(handle_)) return;
  RECT r;
  GetWindowRect(handle_, &r);
  if (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD)
    MapWindowPoints(HWND_DESKTOP, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
  StoreBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

TRect TWinControl::ClientRect() const {
  if (handle_) {
    RECT r;
    GetClientRect(handle_, &r);
    return TRect::FromRECT(r);
  }
  // Without a window: the bounds less the border band (negative while a
  // size is still being set up, so that client sizes add up exactly).
  return Rect(0, 0, Width() - 2 * border_width_, Height() - 2 * border_width_);
}

void TWinControl::SetClientWidth(int value) { SetWidth(value + Width() - ClientWidth()); }
void TWinControl::SetClientHeight(int value) { SetHeight(value + Height() - ClientHeight()); }

void TWinControl::SetBorderWidth(int value) {
  if (value == border_width_) return;
  border_width_ = value;
  if (handle_)
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---------------------------------------------------------------- state

void TWinControl::EnabledChanged() {
  TControl::EnabledChanged();
  if (!handle_) return;
  EnableWindow(handle_, Enabled());
  SendMessageW(handle_, CM_ENABLEDCHANGED, Enabled(), 0);
}

void TWinControl::VisibleChanged() {
  TControl::VisibleChanged();
  if (handle_) {
    ShowWindow(handle_, Visible() ? SW_SHOWNOACTIVATE : SW_HIDE);
    SendMessageW(handle_, CM_VISIBLECHANGED, Visible(), 0);
  } else if (Visible() && Parent() && Parent()->HandleAllocated() && !Loading()) {
    HandleNeeded();
  }
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
  for (TControl* child : controls_) child->ParentFontChanged();
}

void TWinControl::ColorChanged() {
  TControl::ColorChanged();
  // Child windows repaint as well: those that look transparent paint this
  // window's background behind them.
  if (handle_) RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  for (TControl* child : controls_) child->ParentColorChanged();
}

std::wstring TWinControl::GetText() const {
  if (!handle_) return text_;
  int length = GetWindowTextLengthW(handle_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(GetWindowTextW(handle_, text.data(), length + 1));
  return text;
}

void TWinControl::SetText(const std::wstring& value) {
  if (value == GetText()) return;
  text_ = value;
  if (handle_) SetWindowTextW(handle_, value.c_str());
  TextChanged();
}

void TWinControl::TextChanged() { Invalidate(); }

void TWinControl::SetFocus() {
  // The window takes it through WM_SETFOCUS, which makes it the active control.
  if (CanFocus()) ::SetFocus(Handle());
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

// ---------------------------------------------------------------- keyboard focus

void TWinControl::SetActiveControl(TControl* control) {
  TWinControl* root = RootWindow();
  if (root != this) return root->SetActiveControl(control);
  if (control == active_control_) return;
  TControl* previous = active_control_;
  active_control_ = control;
  if (ui_state_ & UISF_HIDEFOCUS) return;  // no cue to move
  if (previous) previous->Invalidate();
  if (control) control->Invalidate();
}

void TWinControl::AppendTabList(std::vector<TControl*>& list, bool all) {
  std::vector<TControl*> children(controls_);
  // Without a TabOrder (-1) a control comes after those with one.
  std::stable_sort(children.begin(), children.end(), [](const TControl* a, const TControl* b) {
    return static_cast<unsigned>(a->TabOrder()) < static_cast<unsigned>(b->TabOrder());
  });
  for (TControl* child : children) {
    if (!child->Visible()) continue;
    if (child->TabStop() && (all || (child->WantsTabStop() && child->CanFocus()))) list.push_back(child);
    if (auto* window = dynamic_cast<TWinControl*>(child)) window->AppendTabList(list, all);
  }
}

std::vector<TControl*> TWinControl::TabList() {
  std::vector<TControl*> list;
  AppendTabList(list, false);
  return list;
}

bool TWinControl::SelectNext(bool forward) {
  TWinControl* root = RootWindow();
  // Every shown tab stop, so that a control that cannot take the focus now
  // (a pressed tab, a radio button) still marks the place to go on from.
  std::vector<TControl*> stops;
  root->AppendTabList(stops, true);
  const int n = static_cast<int>(stops.size());
  const TControl* current = root->active_control_;
  const auto found = std::find(stops.begin(), stops.end(), current);
  const int start = found != stops.end() ? static_cast<int>(found - stops.begin()) : forward ? -1 : n;
  for (int step = 1; step <= n; ++step) {
    TControl* next = stops[((start + (forward ? step : -step)) % n + n) % n];
    if (next != current && next->WantsTabStop() && next->CanFocus()) {
      next->SetFocus();
      return true;
    }
  }
  return false;
}

void TWinControl::SelectFirst() {
  std::vector<TControl*> list = RootWindow()->TabList();
  if (!list.empty()) list.front()->SetFocus();
}

bool TWinControl::FocusCuesShown() { return !(RootWindow()->ui_state_ & UISF_HIDEFOCUS); }

void TWinControl::ShowFocusCues(bool show) {
  TWinControl* root = RootWindow();
  const WORD flags = show ? UISF_HIDEFOCUS : UISF_HIDEFOCUS | UISF_HIDEACCEL;
  if (root->HandleAllocated())
    SendMessageW(root->handle_, WM_CHANGEUISTATE, MAKEWPARAM(show ? UIS_CLEAR : UIS_SET, flags), 0);
}

void TWinControl::ShowAllCues() {
  TWinControl* root = RootWindow();
  if (root->HandleAllocated())
    SendMessageW(root->handle_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

void TWinControl::ChangeUiState(WORD action, WORD flags) {
  flags &= UISF_HIDEFOCUS | UISF_HIDEACCEL;
  const WORD next = action == UIS_SET ? ui_state_ | flags : action == UIS_CLEAR ? ui_state_ & ~flags : ui_state_;
  if (next == ui_state_) return;
  const WORD changed = next ^ ui_state_;
  ui_state_ = next;
  if ((changed & UISF_HIDEFOCUS) && active_control_) active_control_->Invalidate();
  if (changed & UISF_HIDEACCEL) NotifyCuesChanged();
}

void TWinControl::NotifyCuesChanged() {
  for (TControl* child : std::vector<TControl*>(controls_)) {
    if (child->Mnemonic()) child->CuesChanged();
    if (auto* window = dynamic_cast<TWinControl*>(child)) window->NotifyCuesChanged();
  }
}

void TWinControl::PaintFocusCue(HDC dc, TControl& control) {
  TWinControl* root = RootWindow();
  if (root->active_control_ != &control || (root->ui_state_ & UISF_HIDEFOCUS) || !control.Focused()) return;
  DrawFocusCue(dc, RECT{0, 0, control.Width(), control.Height()});
}

// ---------------------------------------------------------------- accessible elements

std::vector<TControl*> TWinControl::AccessibleElements() const {
  std::vector<TControl*> elements;
  for (TControl* child : controls_) {
    if (dynamic_cast<TWinControl*>(child) || !child->Visible() || child->AccessibleRole() == arNone) continue;
    // A label without text says nothing.
    if (child->AccessibleRole() == arStaticText && child->AccessibleName().empty()) continue;
    elements.push_back(child);
  }
  return elements;
}

TControl* TWinControl::ElementOf(int id) const {
  std::vector<TControl*> elements = AccessibleElements();
  return id >= 1 && id <= static_cast<int>(elements.size()) ? elements[id - 1] : nullptr;
}

// The answers to assistive technology run guarded: a failure is reported
// as a message handler's is, and the caller gets nothing.
void TWinControl::DescribeSelf(TAccessibleElement& self) noexcept {
  RunGuarded(this, [&] { self = Describe(); });
}

int TWinControl::ElementCount() noexcept {
  int count = 0;
  RunGuarded(this, [&] { count = static_cast<int>(AccessibleElements().size()); });
  return count;
}

bool TWinControl::DescribeElement(int id, TAccessibleElement& element) noexcept {
  bool found = false;
  RunGuarded(this, [&] {
    TControl* control = ElementOf(id);
    if (control) element = control->Describe();
    found = control != nullptr;
  });
  return found;
}

void TWinControl::DoElementAction(int id) noexcept {
  RunGuarded(this, [&] {
    TControl* control = ElementOf(id);
    if (control && control->Pressable() && control->CanFocus()) control->Press();
  });
}

void TWinControl::FocusElement(int id) noexcept {
  RunGuarded(this, [&] {
    if (TControl* control = ElementOf(id)) control->SetFocus();
  });
}

int TWinControl::FocusedElement() noexcept {
  int focused = 0;
  RunGuarded(this, [&] {
    std::vector<TControl*> elements = AccessibleElements();
    for (size_t i = 0; i < elements.size() && !focused; ++i)
      if (elements[i]->Focused()) focused = static_cast<int>(i) + 1;
  });
  return focused;
}

TAccessibleProvider* TWinControl::ProviderOf(HWND wnd) { return FromHandle(wnd); }

void TWinControl::Loaded() { TControl::Loaded(); }

// ---------------------------------------------------------------- mouse

namespace {

TMouseButton ButtonOf(UINT msg) {
  switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return mbRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return mbMiddle;
    default:
      return mbLeft;
  }
}

}  // namespace

void TMouseRouter::Route(const TMessage& m) {
  if (window_.Destroying()) return;
  const TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  const TShiftState shift = ShiftStateFromMouse(m.WParam);
  switch (m.Msg) {
    case WM_MOUSEMOVE:
      Move(p, shift);
      break;
    case WM_MOUSELEAVE:
      Leave();
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      Press(m.Msg, p, shift);
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      Release(m.Msg, p, shift, m.WParam);
      break;
    default:
      break;
  }
}

bool TMouseRouter::Native() const { return window_.native_; }

TPoint TMouseRouter::Local(const TControl* control, TPoint p) const {
  return control == &window_ ? p : TPoint{p.X - control->Left(), p.Y - control->Top()};
}

void TMouseRouter::Move(TPoint p, TShiftState shift) {
  const bool inside = window_.ClientRect().Contains(p);
  if (inside && !tracking_leave_) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_.handle_, 0};
    tracking_leave_ = TrackMouseEvent(&track) != FALSE;
  }
  if (inside != mouse_inside_) SetInside(inside);
  if (!Native()) SetHover(inside ? window_.ControlAtPos(p) : nullptr);
  TControl* target = pressed_ ? pressed_ : hover_ ? hover_ : &window_;
  const TPoint at = Local(target, p);
  target->MouseMove(shift, at.X, at.Y);
}

void TMouseRouter::Leave() {
  tracking_leave_ = false;
  if (GetCapture() == window_.handle_) return;  // leave is decided by the moves while captured
  if (!Native()) SetHover(nullptr);
  if (mouse_inside_) SetInside(false);
}

void TMouseRouter::Press(UINT msg, TPoint p, TShiftState shift) {
  if (ControlHost) ControlHost->CancelHint();
  const TMouseButton button = ButtonOf(msg);
  const bool dbl = msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
  TControl* target = Native() ? nullptr : window_.ControlAtPos(p);
  if (!target) target = &window_;
  if (!Native()) {
    if (!pressed_) {
      pressed_ = target;
      SetCapture(window_.handle_);
    }
    if (button == mbLeft && !dbl && pressed_ == target) click_armed_ = true;
  }
  if (dbl) {
    shift |= ssDouble;
    target->DblClick();
    if (!Native() && target != &window_ && !window_.ContainsControl(target)) return;
  }
  const TPoint at = Local(target, p);
  target->MouseDown(button, shift, at.X, at.Y);
}

void TMouseRouter::Release(UINT msg, TPoint p, TShiftState shift, WPARAM keys) {
  const TMouseButton button = ButtonOf(msg);
  TControl* target = Native() ? nullptr : pressed_ ? pressed_ : window_.ControlAtPos(p);
  if (!target) target = &window_;
  bool click = false;
  if (!Native() && pressed_) {
    if (button == mbLeft) click = std::exchange(click_armed_, false);
    if ((keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) {
      pressed_ = nullptr;
      if (GetCapture() == window_.handle_) ReleaseCapture();
    }
  }
  const TPoint at = Local(target, p);
  // A press on the window's own background clicks it only when released
  // there too, not over one of its windowless children.
  if (click && target == &window_ && window_.ControlAtPos(p)) click = false;
  if (click && target->ClientRect().Contains(at) && target->Visible() && target->Enabled()) {
    target->Click();
    if (target != &window_ && !window_.ContainsControl(target)) return;  // the click freed it
  }
  target->MouseUp(button, shift, at.X, at.Y);
}

void TMouseRouter::SetInside(bool inside) {
  mouse_inside_ = inside;
  window_.mouse_in_control_ = inside;
  if (inside) {
    window_.MouseEnter();
    if (ControlHost) ControlHost->HintMouseEnter(&window_);
  } else {
    window_.MouseLeave();
    if (ControlHost) ControlHost->CancelHint();
  }
}

void TMouseRouter::SetHover(TControl* control) {
  if (control == hover_) return;
  TControl* old = std::exchange(hover_, control);
  if (old) {
    old->mouse_in_control_ = false;
    old->MouseLeave();
  }
  // The leave handler may have changed the children; the new one must still be here.
  if (control && hover_ == control && window_.ContainsControl(control)) {
    control->mouse_in_control_ = true;
    control->MouseEnter();
  }
  if (ControlHost) ControlHost->HintMouseEnter(hover_ ? hover_ : &window_);
}

void TMouseRouter::CaptureLost() {
  pressed_ = nullptr;
  click_armed_ = false;
}

void TMouseRouter::Forget(TControl* control) {
  if (hover_ == control) {
    hover_ = nullptr;
    control->mouse_in_control_ = false;
  }
  if (pressed_ == control) {
    CaptureLost();
    if (GetCapture() == window_.handle_) ReleaseCapture();
  }
}

void TMouseRouter::Reset() {
  hover_ = pressed_ = nullptr;
  click_armed_ = tracking_leave_ = mouse_inside_ = false;
}

// ---------------------------------------------------------------- TCustomControl

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

void TCustomControl::PaintWindow(HDC dc) {
  PaintOnCanvas(canvas_, dc, *this, [this] { Paint(); });
}

// ---------------------------------------------------------------- layout

namespace {

const bool registered = [] {
  RegisterEnum<TAlignment>({{"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}});
  static const TEnumNames cursors = {
      {"crDefault", crDefault},   {"crArrow", crArrow},       {"crCross", crCross},       {"crIBeam", crIBeam},
      {"crSizeNESW", crSizeNESW}, {"crSizeNS", crSizeNS},     {"crSizeNWSE", crSizeNWSE}, {"crSizeWE", crSizeWE},
      {"crHourGlass", crHourGlass}, {"crNo", crNo},           {"crHandPoint", crHandPoint}, {"crSizeAll", crSizeAll}};
  RegisterEnum<TAccessibleRole>({{"arNone", arNone},
                                 {"arPushButton", arPushButton},
                                 {"arRadioButton", arRadioButton},
                                 {"arCheckBox", arCheckBox},
                                 {"arPageTab", arPageTab},
                                 {"arProgressBar", arProgressBar},
                                 {"arStaticText", arStaticText},
                                 {"arLink", arLink},
                                 {"arEditableText", arEditableText},
                                 {"arComboBox", arComboBox},
                                 {"arList", arList}});
  RegisterClass<TControl, TComponent>("TControl")
      .Prop("Left", &TControl::SetLeft)
      .Prop("Top", &TControl::SetTop)
      .Prop("Width", &TControl::SetWidth)
      .Prop("Height", &TControl::SetHeight)
      .Prop("ClientWidth", &TControl::SetClientWidth)
      .Prop("ClientHeight", &TControl::SetClientHeight)
      .Set("Anchors", &TControl::SetAnchors, {{"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight}, {"akBottom", akBottom}})
      .Prop("Visible", &TControl::SetVisible)
      .Prop("Enabled", &TControl::SetEnabled)
      .Prop("Hint", &TControl::SetHint)
      .Prop("ShowHint", &TControl::SetShowHint)
      .Prop("ParentShowHint", &TControl::SetParentShowHint)
      .Custom("Cursor", [](TControl& control, const TLayoutValue& value, TLayoutReader&) {
        control.SetCursor(static_cast<TCursor>(ValueToEnum(value, cursors, "TCursor")));
      })
      .Prop("Color", &TControl::SetColor)
      .Prop("ParentColor", &TControl::SetParentColor)
      .Object("Font", static_cast<TFont& (TControl::*)()>(&TControl::Font))
      .Prop("ParentFont", &TControl::SetParentFont)
      .Prop("TabOrder", &TControl::SetTabOrder)
      .Prop("TabStop", &TControl::SetTabStop)
      .Prop("Default", &TControl::SetDefault)
      .Prop("Cancel", &TControl::SetCancel)
      .Prop("AccessibleName", &TControl::SetAccessibleName)
      .Prop("AccessibleRole", &TControl::SetAccessibleRole)
      .Prop("Mnemonic", &TControl::SetMnemonic)
      .Event("OnClick", &TControl::OnClick)
      .Event("OnDblClick", &TControl::OnDblClick)
      .Event("OnMouseDown", &TControl::OnMouseDown)
      .Event("OnMouseUp", &TControl::OnMouseUp)
      .Event("OnMouseMove", &TControl::OnMouseMove)
      .Event("OnMouseEnter", &TControl::OnMouseEnter)
      .Event("OnMouseLeave", &TControl::OnMouseLeave)
      .Event("OnResize", &TControl::OnResize);
  RegisterClass<TGraphicControl, TControl>("TGraphicControl");
  RegisterClass<TWinControl, TControl>("TWinControl")
      .Prop("DoubleBuffered", &TWinControl::SetDoubleBuffered)
      .Prop("BorderWidth", &TWinControl::SetBorderWidth)
      .Event("OnKeyPress", &TWinControl::OnKeyPress);
  RegisterClass<TCustomControl, TWinControl>("TCustomControl");
  return true;
}();

}  // namespace
