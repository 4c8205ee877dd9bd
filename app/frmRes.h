// The hidden resource form: the table of the program's message texts (each
// the caption of one label) and the skin pictures the main window uses.
#pragma once
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

#include <array>
#include <cstdint>
#include <string>

class TfrmResource : public TForm {
 public:
  explicit TfrmResource(TComponent* AOwner);

  // The message table: message N is the caption of the N-th label.
  TLabel *lbl_Lan1 = nullptr, *lbl_Lan2 = nullptr, *lbl_Lan3 = nullptr, *lbl_Lan4 = nullptr,
         *lbl_Lan5 = nullptr, *lbl_Lan6 = nullptr, *lbl_Lan7 = nullptr, *lbl_Lan8 = nullptr,
         *lbl_Lan9 = nullptr, *lbl_Lan10 = nullptr, *lbl_Lan11 = nullptr, *lbl_Lan12 = nullptr,
         *lbl_Lan13 = nullptr, *lbl_Lan14 = nullptr, *lbl_Lan15 = nullptr, *lbl_Lan16 = nullptr,
         *lbl_Lan17 = nullptr, *lbl_Lan18 = nullptr, *lbl_Lan19 = nullptr, *lbl_Lan20 = nullptr,
         *lbl_Lan21 = nullptr;
  TLabel *Lbl_lan22 = nullptr, *Lbl_lan23 = nullptr, *Lbl_lan24 = nullptr, *Lbl_lan25 = nullptr,
         *Lbl_lan26 = nullptr, *Lbl_lan27 = nullptr, *Lbl_lan28 = nullptr, *Lbl_lan29 = nullptr,
         *Lbl_lan30 = nullptr, *Lbl_lan31 = nullptr, *Lbl_lan32 = nullptr, *Lbl_lan33 = nullptr,
         *Lbl_lan34 = nullptr, *Lbl_lan35 = nullptr;

  // Per-skin pictures of the main window's frame.
  TPanel* panResource = nullptr;
  TImage *imgBKBlue = nullptr, *imgBKGreen = nullptr, *imgBKRed = nullptr, *imgBKYellow = nullptr,
         *imgBKBlack = nullptr;
  TImage *imgBKBlue2 = nullptr, *imgBKGreen2 = nullptr, *imgBKRed2 = nullptr, *imgBKYellow2 = nullptr,
         *imgBKBlack2 = nullptr;

  static constexpr int MessageCount = 35;
  // The label of message n (1 to 35).
  TLabel* MessageLabel(int n) const;

  void WndProc(TMessage& message) override;
};

extern TfrmResource* frmResource;

// Message n as its label reads now; read anew on every call.
std::wstring MessageText(int n);

// Replaces every occurrence of marker in text by value, ignoring case.
std::wstring ReplaceAllIgnoreCase(const std::wstring& text, const std::wstring& marker, const std::wstring& value);
// Message 6 or 24 with its "%s" replaced by the part number.
std::wstring PartLine(int n, int32_t part);
// Message 30, 31, 33, 34 or 35 with its "%s" replaced by a file name.
std::wstring NameLine(int n, const std::wstring& name);
// Message 25 or 26 with "s%", "n%" and "f%" replaced, in this order.
std::wstring DriveLimitText(int n, const std::wstring& drive, const std::wstring& fileSystem,
                            const std::wstring& limit);

// Message box styles: warning with OK, information with OK, question with Yes and No.
enum TMessageStyle : uint32_t { msWarning = 48, msInformation = 64, msQuestion = 36 };
// The style a message is shown in.
TMessageStyle MessageStyle(int n);

// Shows text through the support library, titled with message 22, in the
// style of message n; owner is the main window unless given. Answers the
// library's result (6 is Yes).
int ShowMessageText(int n, const std::wstring& text, HWND owner);
int ShowMessageText(int n, const std::wstring& text);
int ShowMessageNumber(int n);
// Shows question n and answers whether the user said Yes.
bool AskYes(int n);
