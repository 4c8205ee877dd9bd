#include "app/frmRes.h"

#include "mobrel/MobrelDLL.h"
#include "framework/Layout.h"

#include <cwctype>

TfrmResource* frmResource = nullptr;

namespace {

const bool registered = [] {
  RegisterClass<TfrmResource, TForm>("TfrmResource")
      .Layout(L"forms/frmResource.lfm")
      .Field("lbl_Lan1", &TfrmResource::lbl_Lan1)
      .Field("lbl_Lan2", &TfrmResource::lbl_Lan2)
      .Field("lbl_Lan3", &TfrmResource::lbl_Lan3)
      .Field("lbl_Lan4", &TfrmResource::lbl_Lan4)
      .Field("lbl_Lan5", &TfrmResource::lbl_Lan5)
      .Field("lbl_Lan6", &TfrmResource::lbl_Lan6)
      .Field("lbl_Lan7", &TfrmResource::lbl_Lan7)
      .Field("lbl_Lan8", &TfrmResource::lbl_Lan8)
      .Field("lbl_Lan9", &TfrmResource::lbl_Lan9)
      .Field("lbl_Lan10", &TfrmResource::lbl_Lan10)
      .Field("lbl_Lan11", &TfrmResource::lbl_Lan11)
      .Field("lbl_Lan12", &TfrmResource::lbl_Lan12)
      .Field("lbl_Lan13", &TfrmResource::lbl_Lan13)
      .Field("lbl_Lan14", &TfrmResource::lbl_Lan14)
      .Field("lbl_Lan15", &TfrmResource::lbl_Lan15)
      .Field("lbl_Lan16", &TfrmResource::lbl_Lan16)
      .Field("lbl_Lan17", &TfrmResource::lbl_Lan17)
      .Field("lbl_Lan18", &TfrmResource::lbl_Lan18)
      .Field("lbl_Lan19", &TfrmResource::lbl_Lan19)
      .Field("lbl_Lan20", &TfrmResource::lbl_Lan20)
      .Field("lbl_Lan21", &TfrmResource::lbl_Lan21)
      .Field("Lbl_lan22", &TfrmResource::Lbl_lan22)
      .Field("Lbl_lan23", &TfrmResource::Lbl_lan23)
      .Field("Lbl_lan24", &TfrmResource::Lbl_lan24)
      .Field("Lbl_lan25", &TfrmResource::Lbl_lan25)
      .Field("Lbl_lan26", &TfrmResource::Lbl_lan26)
      .Field("Lbl_lan27", &TfrmResource::Lbl_lan27)
      .Field("Lbl_lan28", &TfrmResource::Lbl_lan28)
      .Field("Lbl_lan29", &TfrmResource::Lbl_lan29)
      .Field("Lbl_lan30", &TfrmResource::Lbl_lan30)
      .Field("Lbl_lan31", &TfrmResource::Lbl_lan31)
      .Field("Lbl_lan32", &TfrmResource::Lbl_lan32)
      .Field("Lbl_lan33", &TfrmResource::Lbl_lan33)
      .Field("Lbl_lan34", &TfrmResource::Lbl_lan34)
      .Field("Lbl_lan35", &TfrmResource::Lbl_lan35)
      .Field("panResource", &TfrmResource::panResource)
      .Field("imgBKBlue", &TfrmResource::imgBKBlue)
      .Field("imgBKGreen", &TfrmResource::imgBKGreen)
      .Field("imgBKRed", &TfrmResource::imgBKRed)
      .Field("imgBKYellow", &TfrmResource::imgBKYellow)
      .Field("imgBKBlack", &TfrmResource::imgBKBlack)
      .Field("imgBKBlue2", &TfrmResource::imgBKBlue2)
      .Field("imgBKGreen2", &TfrmResource::imgBKGreen2)
      .Field("imgBKRed2", &TfrmResource::imgBKRed2)
      .Field("imgBKYellow2", &TfrmResource::imgBKYellow2)
      .Field("imgBKBlack2", &TfrmResource::imgBKBlack2);
  return true;
}();

}  // namespace

TfrmResource::TfrmResource(TComponent* AOwner) : TForm(AOwner) {}

TLabel* TfrmResource::MessageLabel(int n) const {
  const std::array<TLabel*, MessageCount> labels = {
      lbl_Lan1,  lbl_Lan2,  lbl_Lan3,  lbl_Lan4,  lbl_Lan5,  lbl_Lan6,  lbl_Lan7,  lbl_Lan8,  lbl_Lan9,  lbl_Lan10,
      lbl_Lan11, lbl_Lan12, lbl_Lan13, lbl_Lan14, lbl_Lan15, lbl_Lan16, lbl_Lan17, lbl_Lan18, lbl_Lan19, lbl_Lan20,
      lbl_Lan21, Lbl_lan22, Lbl_lan23, Lbl_lan24, Lbl_lan25, Lbl_lan26, Lbl_lan27, Lbl_lan28, Lbl_lan29, Lbl_lan30,
      Lbl_lan31, Lbl_lan32, Lbl_lan33, Lbl_lan34, Lbl_lan35};
  return n >= 1 && n <= MessageCount ? labels[n - 1] : nullptr;
}

void TfrmResource::WndProc(TMessage& message) {
  TForm::WndProc(message);
  // Windows may always log off or shut down as far as this form is concerned.
  if (message.Msg == WM_QUERYENDSESSION) message.Result = 1;
}

std::wstring MessageText(int n) {
  TLabel* label = frmResource ? frmResource->MessageLabel(n) : nullptr;
  return label ? label->Caption() : std::wstring();
}

std::wstring ReplaceAllIgnoreCase(const std::wstring& text, const std::wstring& marker, const std::wstring& value) {
  if (marker.empty()) return text;
  auto lower = [](std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
  };
  const std::wstring folded = lower(text), foldedMarker = lower(marker);
  std::wstring result;
  size_t from = 0;
  for (size_t at; (at = folded.find(foldedMarker, from)) != std::wstring::npos; from = at + marker.size())
    result.append(text, from, at - from).append(value);
  return result.append(text, from, std::wstring::npos);
}

std::wstring PartLine(int n, int32_t part) {
  return ReplaceAllIgnoreCase(MessageText(n), L"%s", std::to_wstring(part));
}

std::wstring NameLine(int n, const std::wstring& name) { return ReplaceAllIgnoreCase(MessageText(n), L"%s", name); }

std::wstring DriveLimitText(int n, const std::wstring& drive, const std::wstring& fileSystem,
                            const std::wstring& limit) {
  std::wstring text = ReplaceAllIgnoreCase(MessageText(n), L"s%", drive);
  text = ReplaceAllIgnoreCase(text, L"n%", fileSystem);
  return ReplaceAllIgnoreCase(text, L"f%", limit);
}

TMessageStyle MessageStyle(int n) {
  switch (n) {
    case 3: case 4: case 5: case 7: case 16: case 33: case 34:
      return msQuestion;
    case 19: case 23:
      return msInformation;
    default:
      return msWarning;
  }
}

int ShowMessageText(int n, const std::wstring& text, HWND owner) {
  return g_MobrelDLL_MessageBox(owner, text.c_str(), MessageText(22).c_str(), MessageStyle(n));
}

int ShowMessageText(int n, const std::wstring& text) {
  TForm* main = Application->MainForm();
  return ShowMessageText(n, text, main ? main->Handle() : nullptr);
}

int ShowMessageNumber(int n) { return ShowMessageText(n, MessageText(n)); }

bool AskYes(int n) { return ShowMessageNumber(n) == IDYES; }
