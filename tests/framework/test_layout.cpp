// Stored layouts: values of every kind, fields and handlers, errors that
// name their place, references to components of other forms, and the
// self-clearing component reference.
#include <gtest/gtest.h>

#include "framework/ImageList.h"
#include "framework/Layout.h"
#include "tests/harness/EventForm.h"
#include "tests/harness/Harness.h"

namespace {

TEST(Layout, SetsPropertiesOfEveryKindAndBindsFieldsAndHandlers) {
  TEventForm* form = MakeForm(R"(
object Form1: TEventForm
  BorderStyle = bsNone
  ClientWidth = 320
  ClientHeight = 240
  Caption = 'It''s ' + 'one'#13#10'text'
  Color = $00D58B3A
  Font.Name = 'Tahoma'
  Font.Style = [fsBold, fsItalic]
  // a comment line
  object Panel1: TPanel
    Left = 4
    Top = -2
    Width = 200
    Height = 100
    Color = clWhite
    BevelOuter = bvNone
    Anchors = [akTop, akRight]
    Hint = 'Panel hint'
    ShowHint = True
    Cursor = crHandPoint
    object Label1: TLabel
      Caption = 'inside'
      Transparent = True
      OnClick = ItemClick
    end
  end
  object Combo: TComboBox
    Style = csDropDownList
    ItemIndex = 1
    Items.Strings = (
      'MB'
      'KB'
      'byte(s)')
    OnChange = ItemChange
  end
  object List: TListView
    ViewStyle = vsReport
    Columns = <
      item
        Caption = 'File name'
        Width = 120
      end
      item
        Caption = 'File size'
        Width = 60
        Alignment = taRightJustify
      end>
  end
  object Tick: TTimer
    Enabled = False
    Interval = 100
    OnTimer = TimerTick
  end
end
)", false);
  EXPECT_EQ(form->Name(), "Form1");
  EXPECT_EQ(form->Caption(), L"It's one\r\ntext");
  EXPECT_EQ(form->ClientWidth(), 320);
  EXPECT_EQ(form->Color(), 0x00D58B3Au);
  EXPECT_EQ(form->Font().Style(), fsBold | fsItalic);

  ASSERT_NE(form->Panel1, nullptr);
  EXPECT_EQ(form->Panel1->Top(), -2);
  EXPECT_EQ(form->Panel1->Anchors(), akTop | akRight);
  EXPECT_TRUE(form->Panel1->ShowHint());
  EXPECT_EQ(form->Panel1->Cursor(), crHandPoint);
  ASSERT_NE(form->Label1, nullptr);
  EXPECT_EQ(form->Label1->Parent(), form->Panel1);
  EXPECT_EQ(form->Label1->Owner(), form);

  auto* combo = harness::Find<TComboBox>(form, "Combo");
  EXPECT_EQ(combo->Items().Count(), 3);
  EXPECT_EQ(combo->ItemIndex(), 1);  // given before the items, kept
  EXPECT_EQ(combo->Text(), L"KB");

  auto* list = harness::Find<TListView>(form, "List");
  ASSERT_EQ(list->Columns().Count(), 2);
  EXPECT_EQ(list->Column(1).Caption(), L"File size");
  EXPECT_EQ(list->Column(1).Width(), 60);
  EXPECT_EQ(list->Column(1).Alignment(), taRightJustify);

  auto* timer = harness::Find<TTimer>(form, "Tick");
  EXPECT_FALSE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 100);
  timer->OnTimer(timer);
  form->Label1->Click();
  EXPECT_EQ(form->Take(), Log({"tick Tick", "click Label1"}));
  form->Free();
}

// A text that does not begin with an object is the body of Form1, a
// TEventForm; the line numbers count the form's own line.
struct BadLayout {
  const char* name;
  const char* text;
  int line;
  const char* object;
  const char* property;
  const char* problem;
};

const BadLayout kBadLayouts[] = {
    {"UnknownClass", "  object X: TNoSuchThing\n  end\n", 2, "X", "", "unknown class TNoSuchThing"},
    {"UnknownProperty", "  object L: TLabel\n    Captoin = 'x'\n  end\n", 3, "L", "Captoin",
     "unknown property Captoin"},
    {"UnknownEnumValue", "  object L: TLabel\n    Alignment = taMiddle\n  end\n", 3, "L", "Alignment",
     "unknown value taMiddle"},
    {"UnknownSetMember", "  Font.Style = [fsBold, fsHeavy]\n", 2, "Form1", "Font.Style", "unknown value fsHeavy"},
    {"UnknownColour", "  Color = clPurplish\n", 2, "Form1", "Color", "unknown value clPurplish"},
    {"WrongKind", "  object L: TLabel\n    Left = 'ten'\n  end\n", 3, "L", "Left", "a whole number is expected"},
    {"UnknownHandler", "  object L: TLabel\n    OnClick = NoSuchClick\n  end\n", 3, "L", "OnClick",
     "unknown handler NoSuchClick"},
    {"HandlerOfWrongSignature", "  object L: TLabel\n    OnClick = ItemDown\n  end\n", 3, "L", "OnClick",
     "does not fit the event OnClick"},
    {"UnknownSubProperty", "  Font.Weight = 700\n", 2, "Form1", "Font.Weight", "unknown property Weight"},
    {"MissingPicture", "  object I: TImage\n    Picture = 'no/such.png'\n  end\n", 3, "I", "Picture",
     "no resource no/such.png"},
    {"MissingComponent", "  object L: TListView\n    SmallImages = Nothing\n  end\n", 3, "L", "SmallImages",
     "Form1 has no component Nothing"},
    {"ReferenceToWrongClass", "  object L: TListView\n    SmallImages = Form1\n  end\n", 3, "L", "SmallImages",
     "not of the class"},
    {"DuplicateName", "  object A: TLabel\n  end\n  object A: TLabel\n  end\n", 4, "A", "", "already exists"},
    {"ControlInsideALabel", "  object A: TLabel\n    object B: TLabel\n    end\n  end\n", 3, "B", "",
     "cannot hold the control B"},
    {"LayoutOfAnotherClass", "object Form1: TForm\nend\n", 1, "Form1", "", "not TEventForm"},
    {"MissingEnd", "object Form1: TEventForm\n  object A: TLabel\n  end\n", 4, "", "", "'end' is missing"},
    {"UnterminatedString", "  Caption = 'open\n", 2, "", "", "unterminated string"},
};

class LayoutErrors : public ::testing::TestWithParam<BadLayout> {};

TEST_P(LayoutErrors, NameTheFileLineObjectAndProperty) {
  const BadLayout& bad = GetParam();
  harness::InitGui();
  auto* form = new TEventForm(Application);
  try {
    const std::string text = bad.text;
    form->ReadLayoutText(text.starts_with("object") ? text : "object Form1: TEventForm\n" + text + "end\n", "bad.lfm");
    ADD_FAILURE() << "the layout was accepted";
  } catch (const ELayoutError& e) {
    EXPECT_EQ(e.File, "bad.lfm");
    EXPECT_EQ(e.Line, bad.line);
    EXPECT_EQ(e.Object, bad.object);
    EXPECT_EQ(e.Property, bad.property);
    EXPECT_NE(std::string(e.what()).find(bad.problem), std::string::npos) << e.what();
    EXPECT_EQ(std::string(e.what()).rfind("bad.lfm:" + std::to_string(bad.line) + ": ", 0), 0u) << e.what();
  }
  form->Free();
}

INSTANTIATE_TEST_SUITE_P(Layout, LayoutErrors, ::testing::ValuesIn(kBadLayouts),
                         [](const auto& info) { return std::string(info.param.name); });

// A second form class, the target of references from TEventForm layouts.
class TStoreForm : public TForm {
 public:
  using TForm::TForm;
};

const bool storeRegistered = [] {
  RegisterClass<TStoreForm, TForm>("TStoreForm");
  return true;
}();

TEST(LayoutReferences, WaitForTheOtherFormAndResolveWhenItLoads) {
  harness::InitGui();
  auto* user = new TEventForm(Application);
  user->ReadLayoutText(R"(
object UserForm: TEventForm
  object List: TListView
    SmallImages = StoreForm.Rows
  end
end
)", "user.lfm");
  auto* list = harness::Find<TListView>(user, "List");
  EXPECT_EQ(list->SmallImages(), nullptr);
  ASSERT_EQ(PendingLayoutReferences().size(), 1u);
  EXPECT_EQ(PendingLayoutReferences()[0], "user.lfm:4: List.SmallImages -> StoreForm.Rows");

  auto* store = new TStoreForm(Application);
  store->ReadLayoutText("object StoreForm: TStoreForm\n  object Rows: TImageList\n    Height = 22\n  end\nend\n",
                        "store.lfm");
  EXPECT_EQ(list->SmallImages(), harness::Find<TComponent>(store, "Rows"));
  EXPECT_TRUE(PendingLayoutReferences().empty());

  // Once the store has loaded, later forms resolve at once; freeing the
  // store clears the reference through the free notification.
  auto* second = new TEventForm(Application);
  second->ReadLayoutText("object Second: TEventForm\n  object L2: TListView\n    SmallImages = StoreForm.Rows\n  end\nend\n",
                         "second.lfm");
  auto* list2 = harness::Find<TListView>(second, "L2");
  EXPECT_EQ(list2->SmallImages(), harness::Find<TComponent>(store, "Rows"));
  store->Free();
  EXPECT_EQ(list2->SmallImages(), nullptr);
  second->Free();
  user->Free();
}

TEST(LayoutReferences, AMissingTargetComponentFailsWhenItsFormLoads) {
  harness::InitGui();
  auto* user = new TEventForm(Application);
  user->ReadLayoutText("object Early: TEventForm\n  object List: TListView\n    SmallImages = Later.Nope\n  end\nend\n",
                       "early.lfm");
  auto* later = new TStoreForm(Application);
  try {
    later->ReadLayoutText("object Later: TStoreForm\nend\n", "later.lfm");
    ADD_FAILURE() << "the missing component was accepted";
  } catch (const ELayoutError& e) {
    EXPECT_EQ(e.File, "early.lfm");
    EXPECT_EQ(e.Line, 3);
    EXPECT_EQ(e.Property, "SmallImages");
    EXPECT_NE(std::string(e.what()).find("Later has no component Nope"), std::string::npos);
  }
  later->Free();
  user->Free();
  EXPECT_TRUE(PendingLayoutReferences().empty());
}

TEST(LayoutReferences, AFreedFormDropsItsWaitingReferences) {
  harness::InitGui();
  auto* user = new TEventForm(Application);
  user->ReadLayoutText("object Gone: TEventForm\n  object List: TListView\n    SmallImages = Never.Rows\n  end\nend\n",
                       "gone.lfm");
  EXPECT_EQ(PendingLayoutReferences().size(), 1u);
  user->Free();
  EXPECT_TRUE(PendingLayoutReferences().empty());
}

TEST(ComponentRef, FollowsOnlyItsCurrentTargetAndClearsItselfWhenThatIsFreed) {
  auto* first = new TComponent(nullptr);
  auto* second = new TComponent(nullptr);
  int freed = 0;
  {
    TComponentRef<TComponent> ref([&] { ++freed; });
    ref = first;
    ref = second;
    first->Free();
    EXPECT_EQ(ref.Get(), second);
    second->Free();
    EXPECT_EQ(ref.Get(), nullptr);
    EXPECT_EQ(freed, 1);
    ref = new TComponent(nullptr);
    ref->Free();
    EXPECT_EQ(freed, 2);
  }
  // A reference that goes first leaves its target nothing to tell.
  auto* third = new TComponent(nullptr);
  { TComponentRef<TComponent> ref([&] { ++freed; }); ref = third; }
  third->Free();
  EXPECT_EQ(freed, 2);
}

}  // namespace
