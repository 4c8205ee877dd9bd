// Forms: top-level windows created from stored layouts, the application
// object with its message loop and hints, and the screen.
#pragma once

#include "framework/Controls.h"

#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

enum TPosition { poDesigned, poScreenCenter };

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

// A top-level window. A form class registers its layout, component fields
// and handlers (Layout.h); ReadLayout creates its components from the layout.
class TForm : public TCustomControl {
 public:
  explicit TForm(TComponent* AOwner);
  ~TForm() override;

  // Creates the components from the layout registered for the form's class
  // (or from a layout text), makes the windows and raises OnCreate.
  void ReadLayout();
  void ReadLayoutText(std::string_view text, const std::string& fileName);

  std::wstring Caption() const { return GetText(); }
  void SetCaption(const std::wstring& value) { SetText(value); }
  TFormBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TFormBorderStyle value);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition value) { position_ = value; }
  TRect ClientRect() const override;

  // Asks OnCloseQuery; when it allows, hides the form, and ends the
  // application when this is its main form. Answers whether it closed.
  bool Close();
  bool CloseQuery();

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnPaint;
  TCloseQueryEvent OnCloseQuery;

  void WndProc(TMessage& message) override;

  // The keyboard of a dialog, for a key-down message of one of the form's
  // windows (the message loop asks before translating it): the form's own
  // shortcuts, Tab and Shift+Tab through the focus order, Space and Enter
  // press the focused button or box, Enter the shown Default control, Esc
  // the shown Cancel control, arrows move within a radio group, Alt shows
  // the mnemonics. What the
  // focused window asks for (WM_GETDLGCODE) stays its own. Answers whether
  // the key was used.
  bool DialogKey(const MSG& msg);
  // Alt and a character (WM_SYSCHAR): the shown control with that mnemonic
  // answers; true when there is one.
  bool MnemonicChar(wchar_t c);

 protected:
  // The form's own keys, before the dialog keys; true when used.
  virtual bool ShortCut(WORD key, TShiftState shift);
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  HWND ParentWindow() override;
  bool KeepsHandleOnReparent() const override { return true; }
  void VisibleChanged() override;
  void Paint() override;
  void BeforeDestruction() override;

 private:
  void FinishCreate();
  void ShowNow();
  // Presses the shown, operable control that carries the mark (Default, Cancel).
  bool PressMarked(bool (TControl::*marked)() const);
  // Focuses and presses the next (previous) radio button beside radio.
  bool MoveInRadioGroup(TControl& radio, bool forward);
  // The window styles of the border style alone, for sizes without a window.
  void CreateParamsForFrame(TCreateParams& params);

  TFormBorderStyle border_style_ = bsSizeable;
  TPosition position_ = poDesigned;
  bool shown_before_ = false;
};

// The hidden application window, the message loop, the main form and the hints.
class TApplication : public TComponent, public TControlHost {
 public:
  TApplication();
  ~TApplication() override;

  // Prepares common controls and COM (the folder browser needs it) and
  // makes the application window.
  void Initialize();
  // The hidden application window: it owns the forms, answers a restore
  // request from another instance and wakes the loop for finished threads.
  HWND Handle();

  // Creates a form owned by the application from its registered layout.
  // The first form created becomes the main form.
  template <class T>
  void CreateForm(T*& reference) {
    T* form = new T(this);
    reference = form;
    try {
      form->ReadLayout();
    } catch (...) {
      reference = nullptr;
      form->Free();
      throw;
    }
    if (!main_form_) main_form_ = form;
  }

  // Shows the main form and runs the message loop until Terminate.
  void Run();
  // Handles every message waiting in the queue, then returns.
  void ProcessMessages();
  void Terminate();
  bool Terminated() const { return terminated_; }

  TForm* MainForm() const { return main_form_; }
  void SetMainForm(TForm* form) { main_form_ = form; }
  bool ShowMainForm = true;

  const std::wstring& Title() const { return title_; }
  void SetTitle(const std::wstring& value);
  // Minimises (restores) the main window, and with it the application.
  void Minimize();
  void Restore();

  // Delay before a hint appears, and how long it stays, in milliseconds.
  int HintPause() const { return hint_pause_; }
  void SetHintPause(int value) { hint_pause_ = value; }
  void SetHintHidePause(int value) { hint_hide_pause_ = value; }
  bool ShowHint = true;
  // The hint shown now (empty when none).
  std::wstring ActiveHint() const;

  // The control host: the controls call these (see TControlHost).
  void HintMouseEnter(TControl* control) override;
  void CancelHint() override;
  void ControlDestroyed(TControl* control) override;
  HCURSOR CursorHandle(TCursor cursor) const override;
  HWND MainWindow() const override;

  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;

  // Reports the exception being handled (call it from a catch block): to
  // OnException when set, else with ShowException. The program goes on.
  // Sender is the object whose message or event failed.
  void HandleException(TObject* Sender) noexcept override;
  // Shows the error's text in a message box (scriptable, see Dialogs.h).
  void ShowException(const std::exception& E);
  TExceptionEvent OnException;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  static LRESULT CALLBACK WindowProcedure(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleAppMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void ReportException(TObject* Sender, const std::exception& E);
  // Translates and dispatches one message, reporting what fails.
  void Dispatch(const MSG& msg);
  // Hands a form's key-down messages to its dialog keyboard, and Alt's
  // characters to its mnemonics. Answers whether the message was used up.
  bool RouteInput(const MSG& msg);
  // Runs the handlers that finished threads left for the main thread.
  void Synchronize();
  void ShowHintNow();

  HWND handle_ = nullptr;
  HWND hint_window_ = nullptr;
  TForm* main_form_ = nullptr;
  bool terminated_ = false;
  std::wstring title_;
  int hint_pause_ = 500;
  int hint_hide_pause_ = 2500;
  TControl* hint_control_ = nullptr;
  std::wstring hint_text_;
  bool hint_visible_ = false;
};

class TScreen {
 public:
  int Width() const;
  int Height() const;
  // The system cursor for a cursor identifier (crDefault gives the arrow).
  HCURSOR CursorHandle(TCursor cursor) const;

  // The form of that name, ignoring case; null when none.
  TForm* FindForm(const std::string& name) const;

 private:
  friend class TForm;
  std::vector<TForm*> forms_;
};

// Live for the whole program; never destroyed, so that their order of
// destruction cannot meet the forms'. The program frees its forms with
// Application->DestroyComponents() when the loop has ended.
extern TApplication* Application;
extern TScreen* Screen;
