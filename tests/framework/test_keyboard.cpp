// The keyboard of a form and what assistive technology reads: the focus
// order from the layout, the dialog keys, the focus cue that only keyboard
// use shows, and the accessible objects of windows and windowless controls.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "tests/harness/EventForm.h"
#include "tests/harness/Harness.h"

namespace {

// Two windowless buttons on the form, an edit with its label, and a panel
// holding a Cancel button, a disabled and a hidden tab stop; Last has no
// TabOrder.
const std::string kBody = R"(  object Edit1: TEdit
    Left = 10
    Top = 40
    Width = 80
    Height = 20
    TabOrder = 1
    TabStop = True
    AccessibleName = 'Name'
  end
  object Label1: TLabel
    Left = 10
    Top = 10
    AutoSize = False
    Width = 40
    Height = 20
    Caption = 'Go'
    Mnemonic = 'g'
    AccessibleRole = arPushButton
    TabOrder = 0
    TabStop = True
    Default = True
    OnClick = ItemClick
  end
  object Panel1: TPanel
    Left = 100
    Top = 10
    Width = 150
    Height = 80
    TabOrder = 2
    object Stop: TLabel
      Left = 10
      Top = 10
      AutoSize = False
      Width = 40
      Height = 20
      Caption = 'Stop'
      AccessibleRole = arPushButton
      TabOrder = 1
      TabStop = True
      Cancel = True
      OnClick = ItemClick
    end
    object Off: TLabel
      Left = 10
      Top = 40
      Caption = 'Off'
      Enabled = False
      AccessibleRole = arPushButton
      TabOrder = 0
      TabStop = True
    end
    object Hidden: TLabel
      Caption = 'Hidden'
      Visible = False
      TabStop = True
    end
  end
  object Last: TLabel
    Left = 10
    Top = 70
    AutoSize = False
    Width = 40
    Height = 20
    Caption = 'Last'
    AccessibleRole = arPushButton
    TabStop = True
    OnClick = ItemClick
  end
  object NameLabel: TLabel
    Left = 10
    Top = 92
    Caption = 'Name:'
    Mnemonic = 'N'
    FocusControl = Edit1
  end
)";

class Keyboard : public ::testing::Test {
 protected:
  void SetUp() override {
    form = MakeForm(FormLayout(260, 110, kBody));
    stop = harness::Find<TLabel>(form, "Stop");
    last = harness::Find<TLabel>(form, "Last");
    SetForegroundWindow(form->Handle());
    form->Label1->SetFocus();
    form->Take();
  }
  void TearDown() override { form->Free(); }
  std::string ActiveName() const { return form->ActiveControl() ? form->ActiveControl()->Name() : "none"; }

  TEventForm* form = nullptr;
  TLabel* stop = nullptr;
  TLabel* last = nullptr;
};

TEST_F(Keyboard, TabFollowsTheLayoutOrderAcrossContainersAndWrapsBothWays) {
  std::vector<std::string> names;
  for (TControl* c : form->TabList()) names.push_back(c->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"Label1", "Edit1", "Stop", "Last"}));

  const char* forward[] = {"Edit1", "Stop", "Last", "Label1"};
  for (const char* expected : forward) {
    harness::Key(VK_TAB);
    EXPECT_EQ(ActiveName(), expected);
  }
  EXPECT_FALSE(form->Edit1->Focused());
  harness::Key(VK_TAB);
  EXPECT_TRUE(form->Edit1->Focused()) << "a windowed control takes the system's focus";
  harness::Key(VK_TAB, ssShift);
  harness::Key(VK_TAB, ssShift);
  EXPECT_EQ(ActiveName(), "Last");
  EXPECT_TRUE(last->Focused());
  EXPECT_EQ(GetFocus(), form->Handle()) << "the form holds the focus for a windowless control";
}

TEST_F(Keyboard, SpaceAndEnterPressTheFocusedButtonEnterTheDefaultEscTheCancel) {
  last->SetFocus();
  harness::Key(VK_SPACE);
  harness::Key(VK_RETURN);
  EXPECT_EQ(form->Take(), (Log{"click Last", "click Last"}));

  form->Edit1->SetFocus();
  harness::Key(VK_RETURN);
  harness::Key(VK_ESCAPE);
  EXPECT_EQ(form->Take(), (Log{"click Label1", "click Stop"}));

  // A Cancel control that cannot take input is not pressed; Ctrl+Enter is not Enter.
  stop->SetEnabled(false);
  harness::Key(VK_ESCAPE);
  harness::Key(VK_RETURN, ssCtrl);
  harness::Key(VK_SPACE);  // the edit types its own space
  EXPECT_EQ(form->Take(), Log{});
  EXPECT_EQ(ActiveName(), "Edit1");
}

TEST_F(Keyboard, TheFocusCueShowsAfterKeyboardUseAndGoesWithTheMouse) {
  const auto before = harness::CaptureScreen(form);
  harness::Key(VK_TAB, ssShift);  // back to Last, now with cues
  harness::Key(VK_TAB);            // and on to Label1
  ASSERT_TRUE(form->FocusCuesShown());
  const auto cued = harness::CaptureScreen(form);
  // The dotted rectangle lies just inside Label1 and nowhere else.
  const TRect box = harness::InkBox(*cued, harness::PixelAt(*before, 5, 5), Rect(0, 0, 100, 40));
  EXPECT_NEAR(box.Left, 10 + 1, 1);
  EXPECT_NEAR(box.Top, 10 + 1, 1);
  EXPECT_NEAR(box.Right, 50 - 1, 1);
  EXPECT_NEAR(box.Bottom, 30 - 1, 1);

  harness::MouseDown(last);
  harness::MouseUp(last);
  EXPECT_FALSE(form->FocusCuesShown());
  const auto after = harness::CaptureScreen(form);
  for (int y = 0; y < 100; y += 3)
    for (int x = 0; x < 100; x += 3)
      ASSERT_EQ(harness::PixelAt(*after, x, y), harness::PixelAt(*before, x, y)) << "at " << x << "," << y;
}

// Pixels that differ between two captures inside r.
int Differing(const TBitmap& a, const TBitmap& b, const TRect& r) {
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) n += harness::PixelAt(a, x, y) != harness::PixelAt(b, x, y);
  return n;
}

TEST_F(Keyboard, AltShowsTheMnemonicsAndAltWithOnePressesOrFocusesItsControl) {
  const auto before = harness::CaptureScreen(form);
  harness::Key(VK_MENU, ssAlt);
  const auto shown = harness::CaptureScreen(form);
  // The underline lies below the G of Go, inside its label; the label's N is underlined too.
  EXPECT_GT(Differing(*before, *shown, form->Label1->BoundsRect()), 0);
  TLabel* name = harness::Find<TLabel>(form, "NameLabel");
  EXPECT_GT(Differing(*before, *shown, name->BoundsRect()), 0);
  EXPECT_EQ(Differing(*before, *shown, last->BoundsRect()), 0);

  harness::Key('G', ssAlt);
  EXPECT_EQ(form->Take(), Log{"click Label1"});
  harness::Key('N', ssAlt);
  EXPECT_TRUE(form->Edit1->Focused()) << "the label's mnemonic focuses its control";
  harness::Key('Q', ssAlt);
  EXPECT_EQ(form->Take(), Log{});

  harness::MouseDown(last);
  harness::MouseUp(last);
  form->Take();
  const auto after = harness::CaptureScreen(form);
  EXPECT_EQ(Differing(*before, *after, form->Label1->BoundsRect()), 0) << "the mouse hides the underlines again";
  EXPECT_EQ(Differing(*before, *after, name->BoundsRect()), 0);
}

// Name, role and state of one child of an accessible object, by child id.
struct TSeen {
  std::wstring Name;
  long Role = 0;
  long State = 0;
};

TSeen Read(IAccessible* object, long id) {
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = id;
  TSeen seen;
  BSTR name = nullptr;
  if (object->get_accName(child, &name) == S_OK && name) seen.Name = name;
  SysFreeString(name);
  VARIANT v;
  VariantInit(&v);
  if (object->get_accRole(child, &v) == S_OK && v.vt == VT_I4) seen.Role = v.lVal;
  VariantInit(&v);
  if (object->get_accState(child, &v) == S_OK && v.vt == VT_I4) seen.State = v.lVal;
  return seen;
}

TEST_F(Keyboard, WindowsAndWindowlessControlsAreNamedForAssistiveTechnology) {
  IAccessible* client = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(form->Handle(), OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&client)),
            S_OK);
  // The form's elements: Go, Last and the label (z-order), then its two child windows.
  long count = 0;
  ASSERT_EQ(client->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 5);
  EXPECT_EQ(Read(client, 3).Role, ROLE_SYSTEM_STATICTEXT);
  const TSeen go = Read(client, 1);
  EXPECT_EQ(go.Name, L"Go");
  EXPECT_EQ(go.Role, ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(go.State & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_FOCUSABLE), STATE_SYSTEM_FOCUSED | STATE_SYSTEM_FOCUSABLE);
  EXPECT_EQ(Read(client, 2).Name, L"Last");

  // The edit answers for itself with the name from the layout.
  VARIANT id;
  VariantInit(&id);
  id.vt = VT_I4;
  id.lVal = 4;
  IDispatch* dispatch = nullptr;
  ASSERT_EQ(client->get_accChild(id, &dispatch), S_OK);
  IAccessible* edit = nullptr;
  ASSERT_EQ(dispatch->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&edit)), S_OK);
  const TSeen name = Read(edit, CHILDID_SELF);
  EXPECT_EQ(name.Name, L"Name");
  EXPECT_EQ(name.Role, ROLE_SYSTEM_TEXT);
  edit->Release();
  dispatch->Release();

  // The panel's elements: Off is there but unavailable; its default action presses nothing.
  IAccessible* panel = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(form->Panel1->Handle(), OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&panel)),
            S_OK);
  ASSERT_EQ(panel->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 2) << "the hidden label is left out";
  const TSeen stopSeen = Read(panel, 1), off = Read(panel, 2);
  EXPECT_EQ(stopSeen.Name, L"Stop");
  EXPECT_EQ(off.Name, L"Off");
  EXPECT_TRUE(off.State & STATE_SYSTEM_UNAVAILABLE);
  EXPECT_FALSE(stopSeen.State & STATE_SYSTEM_UNAVAILABLE);
  id.lVal = 1;
  EXPECT_EQ(panel->accDoDefaultAction(id), S_OK);
  id.lVal = 2;
  EXPECT_EQ(panel->accDoDefaultAction(id), S_OK);
  EXPECT_EQ(form->Take(), Log{"click Stop"});
  panel->Release();
  client->Release();
}

}  // namespace
