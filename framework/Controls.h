// Controls: the visual control classes. A TControl has a parent, bounds,
// anchors, visibility, an enabled flag, a hint, a cursor, a colour, a font
// and mouse events. Windowless controls (TGraphicControl) are painted by
// their parent window in z-order in one off-screen pass, and the parent
// routes mouse input to them; windowed controls (TWinControl) own an HWND,
// either of our own window class or of a native class they subclass.
// The framework finds a control from its window through a window property,
// so GWLP_USERDATA stays free for a skinned control that replaces the
// window procedure once more (and puts it back on WM_DESTROY).
#pragma once

#include "framework/Accessible.h"
#include "framework/Classes.h"
#include "framework/Graphics.h"

#include <memory>
#include <string>
#include <vector>

class TControl;
class TWinControl;

enum TAnchorKind : uint8_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = uint8_t;  // a set of TAnchorKind bits

// Cursor identifiers; Screen->Cursors() maps them to system cursors.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -12;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// What the controls need from the application that hosts them: the hint
// follows the mouse, errors of a message handler are reported, cursor
// identifiers become system cursors. The application object sets
// ControlHost while it lives; without a host, controls go without hints
// and reports (a test may run them so).
class TControlHost {
 public:
  // The mouse entered a control; a press or leave cancels its hint; a
  // control is going away.
  virtual void HintMouseEnter(TControl* control) = 0;
  virtual void CancelHint() = 0;
  virtual void ControlDestroyed(TControl* control) = 0;
  // Reports the exception being handled (called from a catch block).
  virtual void HandleException(TObject* Sender) noexcept = 0;
  virtual HCURSOR CursorHandle(TCursor cursor) const = 0;
  // The main form's window, which owns dialogs shown without an owner; null
  // before it has one.
  virtual HWND MainWindow() const = 0;

 protected:
  ~TControlHost() = default;
};
extern TControlHost* ControlHost;

// Runs work: the body of a window procedure, a timer callback, a turn of
// the message loop or the program entry. An exception that leaves it goes
// to the host's HandleException instead of into the system's message
// dispatch. Answers whether work ran to its end.
template <class F>
bool RunGuarded(TObject* sender, F&& work) noexcept {
  try {
    work();
    return true;
  } catch (...) {
    if (ControlHost) ControlHost->HandleException(sender);
    return false;
  }
}

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// What a control is to assistive technology; arNone leaves a window to
// the system's description and keeps a windowless control out of sight.
enum TAccessibleRole : uint8_t {
  arNone,
  arPushButton,
  arRadioButton,
  arCheckBox,
  arPageTab,
  arProgressBar,
  arStaticText,
  arLink,
  arEditableText,
  arComboBox,
  arList,
};

// Window borders; controls use the first two, forms all of them.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow };
using TBorderStyle = TFormBorderStyle;

// A window message with its result, as the message handlers see it.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// Notifications a parent window reflects back to the child window that
// sent them (the child's own class handles its WM_COMMAND, WM_NOTIFY,
// scroll and colour messages).
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;

// Framework notifications sent to a control's own window.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 0;  // Enabled has changed
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 1;  // Visible has changed

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  // The parent a layout gives: it must be a windowed control.
  void SetParentComponent(TComponent* parent) override;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
  void SetTop(int value) { SetBounds(left_, value, width_, height_); }
  void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
  void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  virtual TRect ClientRect() const { return Rect(0, 0, width_, height_); }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  virtual void SetClientWidth(int value) { SetWidth(value); }
  virtual void SetClientHeight(int value) { SetHeight(value); }

  // Edges whose distance to the parent's client edges stays fixed when the
  // parent is resized; with both opposite edges the control stretches.
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors value);

  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so is every parent up to a shown window.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool value);

  const std::wstring& Hint() const { return hint_; }
  void SetHint(const std::wstring& value) { hint_ = value; }
  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool value);
  bool ParentShowHint() const { return parent_show_hint_; }
  void SetParentShowHint(bool value);

  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value);

  TColor Color() const { return color_; }
  void SetColor(TColor value);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool value);
  TFont& Font() { return *font_; }
  const TFont& Font() const { return *font_; }
  void SetFont(const TFont& value) { font_->Assign(value); }
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool value);

  // The text of the control (a label's or panel's caption, an edit's text).
  virtual std::wstring GetText() const { return text_; }
  virtual void SetText(const std::wstring& value);

  // The keyboard focus order: Tab visits the controls with TabStop, ordered
  // by TabOrder among their siblings, a container's children at the
  // container's own place (controls without a TabOrder come last).
  int TabOrder() const { return tab_order_; }
  void SetTabOrder(int value) { tab_order_ = value; }
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool value) { tab_stop_ = value; }
  // Whether Tab stops here now; a radio button stops only when checked.
  virtual bool WantsTabStop() const { return tab_stop_; }
  // Enter presses the shown Default control of the window, Esc its Cancel control.
  bool Default() const { return default_; }
  void SetDefault(bool value) { default_ = value; }
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  // Takes input now; a control with an enabled flag of its own answers that.
  virtual bool Operable() const { return enabled_; }
  // Showing and operable, and so are the parents.
  bool CanFocus() const;
  // Takes the keyboard focus; a windowless control holds it through the
  // top-level window, which then keeps it as its active control.
  virtual void SetFocus();
  virtual bool Focused() const;
  // The window at the top of the parent chain (this one when it has no parent).
  TControl* Root();
  // Whether Space and Enter press the control (by its role).
  bool Pressable() const;
  // Space or Enter on the focused control, or its default action: a click.
  virtual void Press() { Click(); }
  // The letter that Alt reaches the control with (0 for none). The caption
  // keeps its text; the letter's first occurrence in it is underlined
  // while the keyboard cues show.
  wchar_t Mnemonic() const { return mnemonic_; }
  void SetMnemonic(const std::wstring& value);
  // Alt and the mnemonic: a push button is pressed, a radio button or check
  // box focused and pressed, any other control focused.
  virtual void MnemonicPressed();
  // The keyboard cues of the window changed; the default repaints.
  virtual void CuesChanged() { Invalidate(); }

  // For assistive technology: the role, the name (the one set, else the
  // caption), the state bits beyond focus and availability (checked), and
  // a value (a progress bar's percentage, an edit's text).
  TAccessibleRole AccessibleRole() const { return accessible_role_; }
  void SetAccessibleRole(TAccessibleRole value) { accessible_role_ = value; }
  void SetAccessibleName(const std::wstring& value) { accessible_name_ = value; }
  virtual std::wstring AccessibleName() const;
  virtual long AccessibleState() const { return 0; }
  virtual std::wstring AccessibleValue() const { return {}; }
  // The whole description with the STATE_SYSTEM_* bits of focus, availability and visibility.
  TAccessibleElement Describe();

  // Moves the control to the top (end) or bottom of its parent's z-order.
  void BringToFront();
  void SendToBack();

  virtual void Invalidate();
  // Paints what is invalid at once.
  virtual void Update();
  void Repaint();

  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;
  // The window that displays this control: itself when windowed, else the parent's.
  virtual HWND DisplayHandle() const;
  // Position of this control's client origin inside its display window.
  virtual TPoint OriginInDisplay() const;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;

  // Input, raised by the framework; subclasses override them and call the
  // inherited version to raise the published events. Coordinates are in
  // the control's client area.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void Click();
  virtual void DblClick();
  virtual void MouseEnter();
  virtual void MouseLeave();

  // Raises a notify event unless the control is being loaded or destroyed.
  void Notify(const TNotifyEvent& event);

  // The effective hint switch: ShowHint, or the parent's when ParentShowHint.
  bool EffectiveShowHint() const;
  // True while this control is the one under the mouse.
  bool MouseInControl() const { return mouse_in_control_; }

  void Loaded() override;

 protected:
  friend class TWinControl;
  friend class TMouseRouter;

  // After every change of position or size.
  virtual void BoundsChanged();
  // After a change of size; raises OnResize.
  virtual void Resize();
  virtual void VisibleChanged();
  virtual void EnabledChanged();
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void TextChanged();
  // After the client area changed size (windowed controls re-anchor their children).
  virtual void ClientResized() {}
  // Underlines the mnemonic in text drawn at x, y on canvas while the
  // window shows its keyboard cues; draws nothing otherwise.
  void UnderlineMnemonic(TCanvas& canvas, int x, int y, const std::wstring& text);
  bool MnemonicShown();
  // Called with the parent's new colour or font when ParentColor/ParentFont.
  void ParentColorChanged();
  void ParentFontChanged();
  // Stores new bounds without moving a window (windowed controls move theirs).
  void StoreBounds(int left, int top, int width, int height);
  // Records the bounds the anchors work from (after an explicit change).
  void RecordAnchorBase();
  // Applies the anchors after the parent's client area changed size.
  void ApplyAnchors();

  std::wstring text_;
  bool updating_from_parent_ = false;
  bool anchoring_ = false;  // bounds are being set by the anchors

 private:
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAnchors anchors_ = akLeft | akTop;
  TRect anchor_bounds_;      // bounds when the anchors were last recorded
  TPoint anchor_parent_size_;  // the parent's client size at that time
  bool visible_ = true;
  bool enabled_ = true;
  std::wstring hint_;
  bool show_hint_ = false;
  bool parent_show_hint_ = true;
  TCursor cursor_ = crDefault;
  TColor color_ = clBtnFace;
  bool parent_color_ = false;
  int tab_order_ = -1;
  bool tab_stop_ = false;
  bool default_ = false;
  bool cancel_ = false;
  TAccessibleRole accessible_role_ = arNone;
  std::wstring accessible_name_;
  wchar_t mnemonic_ = 0;
  std::unique_ptr<TFont> font_;
  bool parent_font_ = true;
  bool mouse_in_control_ = false;
};

// A control without a window, painted on its parent's canvas.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner);
  // Valid while the control paints: the parent's off-screen canvas, with
  // the origin at the control's top-left corner and clipped to it.
  TCanvas& Canvas() { return canvas_; }
  // Paints the control into dc, whose origin is the control's top-left.
  void PaintTo(HDC dc);

 protected:
  virtual void Paint() {}

 private:
  TCanvas canvas_;
};

// Routes the mouse messages of one window to the window itself and to its
// windowless children: the child under the mouse gets enter and leave, the
// control pressed keeps the mouse until the last button is up, and a left
// press and release on the same control click it. A native window gets
// every message itself.
class TMouseRouter {
 public:
  explicit TMouseRouter(TWinControl& window) : window_(window) {}
  // A mouse message of the window (WM_MOUSEFIRST..WM_MOUSELAST, WM_MOUSELEAVE).
  void Route(const TMessage& message);
  // Another window took the capture.
  void CaptureLost();
  // Forgets a child that is hidden, disabled or removed.
  void Forget(TControl* control);
  // Forgets everything (the window has gone).
  void Reset();

 private:
  void Move(TPoint p, TShiftState shift);
  void Leave();
  void Press(UINT msg, TPoint p, TShiftState shift);
  void Release(UINT msg, TPoint p, TShiftState shift, WPARAM keys);
  // The window's own enter and leave, with its hint.
  void SetInside(bool inside);
  // The windowless child under the mouse, with its enter and leave.
  void SetHover(TControl* control);
  bool Native() const;
  // A window point in the client coordinates of control.
  TPoint Local(const TControl* control, TPoint p) const;

  TWinControl& window_;
  TControl* hover_ = nullptr;    // windowless child under the mouse
  TControl* pressed_ = nullptr;  // windowless child (or the window) holding the capture
  bool click_armed_ = false;     // a left press began on pressed_
  bool tracking_leave_ = false;
  bool mouse_inside_ = false;
};

struct TCreateParams {
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  // Our own window class (registered on first use), or a native class
  // (EDIT, COMBOBOX, ...) that the control subclasses after creation.
  std::wstring WinClassName = L"QuenlorControl";
  bool NativeClass = false;
  UINT ClassStyle = CS_DBLCLKS;
  // The class's icons, shown by top-level windows (title bar, taskbar, Alt+Tab).
  HICON ClassIcon = nullptr;
  HICON ClassSmallIcon = nullptr;
};

// Registers a window class of this program unless it exists already.
void EnsureWindowClass(const wchar_t* name, WNDPROC procedure, UINT style, HCURSOR cursor,
                       HICON icon = nullptr, HICON smallIcon = nullptr);

// The executable's own icon (the icon group MAINICON) at the system's size
// for big (SM_CXICON) or small (SM_CXSMICON) icons; null when it has none.
HICON ProgramIcon(bool small);

// A control with a window. Its window is created on demand (Handle()),
// which makes the parents' windows first; a control created from a layout
// gets it when loading has finished. Children, windowed and windowless,
// are kept in z-order, the topmost last.
class TWinControl : public TControl, private TAccessibleProvider {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  // Destroys the window (and its children's); the control stays and makes
  // a new window when next needed.
  void DestroyHandle();
  // Makes the window anew when there is one (after a change of its styles).
  void RecreateWnd();
  // The control owning a window, or null.
  static TWinControl* FromHandle(HWND wnd);

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(index); }
  bool ContainsControl(const TControl* control) const;
  // The topmost visible and enabled windowless child at a client point.
  TControl* ControlAtPos(TPoint p) const;

  void SetBounds(int left, int top, int width, int height) override;
  TRect ClientRect() const override;
  void SetClientWidth(int value) override;
  void SetClientHeight(int value) override;
  // Width of a band inside the border that belongs to the non-client area.
  int BorderWidth() const { return border_width_; }
  void SetBorderWidth(int value);
  bool DoubleBuffered() const { return double_buffered_; }
  void SetDoubleBuffered(bool value) { double_buffered_ = value; }

  std::wstring GetText() const override;
  void SetText(const std::wstring& value) override;

  void SetFocus() override;
  bool Focused() const override;

  // Of a top-level window: the control that has the keyboard focus, or
  // had it last; null when none.
  TControl* ActiveControl() const { return active_control_; }
  // The controls Tab visits now, in order (TabStop, showing, operable).
  std::vector<TControl*> TabList();
  // Moves the focus to the next (previous) control in Tab order from the
  // active one, round the end; answers whether a control took it.
  bool SelectNext(bool forward);
  // Focuses the first control in Tab order.
  void SelectFirst();
  // Whether focus cues show: after keyboard use, until the mouse is used.
  // Kept by the top-level window and changed through WM_CHANGEUISTATE.
  bool FocusCuesShown();
  // Shows the focus cues, or hides them and the mnemonics' underlines.
  void ShowFocusCues(bool show);
  // Shows both (the Alt key).
  void ShowAllCues();

  void Invalidate() override;
  void Update() override;
  HWND DisplayHandle() const override { return handle_; }
  TPoint OriginInDisplay() const override { return TPoint{}; }

  // Sends a message to the control's window (creating it if needed).
  LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);

  TKeyPressEvent OnKeyPress;
  virtual void KeyPress(wchar_t& key);

  void Loaded() override;
  // Destroys the windows before the subclass parts of the object go away,
  // so that window procedures never reach a half-destroyed object.
  void BeforeDestruction() override;
  void SetParent(TWinControl* parent) override;

  // The message handler; subclasses override it, handle what they need and
  // call the inherited version for everything else.
  virtual void WndProc(TMessage& message);

 protected:
  friend class TControl;
  friend class TMouseRouter;

  virtual void CreateParams(TCreateParams& params);
  // Runs after the window has been created (and subclassed): pushes the
  // stored state into it.
  virtual void CreateWnd();
  // Runs before the window is destroyed: pulls state that lives in the
  // window back into the object.
  virtual void DestroyWnd() {}
  // The next handler in the chain: the native class's procedure or DefWindowProc.
  void DefaultHandler(TMessage& message);
  // Paints the window's own content onto dc (our own window classes).
  virtual void PaintWindow(HDC dc);
  // Paints the background before the content; the default fills Color.
  virtual void PaintBackground(HDC dc, const TRect& area);
  // Paints the windowless children that intersect area.
  void PaintControls(HDC dc, const TRect& area);
  void VisibleChanged() override;
  void EnabledChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  void TextChanged() override;
  void ClientResized() override;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void ControlToFront(TControl* control, bool front);
  // Invalidates a client rectangle of this window.
  void InvalidateRect(const TRect& r);
  // Parent window for CreateWindowEx: the parent's handle.
  virtual HWND ParentWindow();
  // Whether the window survives a change of parent; a child window is
  // made anew under its new parent, a top-level window keeps its own.
  virtual bool KeepsHandleOnReparent() const { return false; }

 private:
  static LRESULT CALLBACK WindowProcedure(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void CreateHandle();
  void Attach(HWND wnd);
  void Detach();
  void HandlePaint(TMessage& message);
  // Paints area of the window off-screen and copies it onto dc.
  void PaintArea(HDC dc, const TRect& area);
  void UpdateBoundsFromWindow();
  bool ReflectNotification(TMessage& message);
  TWinControl* RootWindow() { return static_cast<TWinControl*>(Root()); }
  // The active control changes (held by the top-level window); the cues repaint.
  void SetActiveControl(TControl* control);
  // Of the top-level window: applies a UIS_SET or UIS_CLEAR of UISF_* bits.
  void ChangeUiState(WORD action, WORD flags);
  void AppendTabList(std::vector<TControl*>& list, bool all);
  // Tells every control of the branch that the cues changed.
  void NotifyCuesChanged();
  // Draws the focus cue of control (this window or a windowless child) on dc.
  void PaintFocusCue(HDC dc, TControl& control);

  // The accessible description (TAccessibleProvider): this window, and its
  // windowless children that have a role as its elements.
  std::vector<TControl*> AccessibleElements() const;
  TControl* ElementOf(int id) const;
  void DescribeSelf(TAccessibleElement& self) noexcept override;
  int ElementCount() noexcept override;
  bool DescribeElement(int id, TAccessibleElement& element) noexcept override;
  void DoElementAction(int id) noexcept override;
  void FocusElement(int id) noexcept override;
  int FocusedElement() noexcept override;
  static TAccessibleProvider* ProviderOf(HWND wnd);

  HWND handle_ = nullptr;
  WNDPROC default_proc_ = nullptr;
  bool native_ = false;
  TBrush brush_;  // the background brush handed out for native colour messages
  std::vector<TControl*> controls_;
  int border_width_ = 0;
  bool double_buffered_ = true;
  TControl* active_control_ = nullptr;                  // kept by the top-level window
  WORD ui_state_ = UISF_HIDEFOCUS | UISF_HIDEACCEL;  // likewise
  TMouseRouter mouse_{*this};
};

// A windowed control with a canvas and a Paint method.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  // Valid while the control paints (also when a paint message brings its own DC).
  TCanvas& Canvas() { return canvas_; }

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;

 private:
  TCanvas canvas_;
};
