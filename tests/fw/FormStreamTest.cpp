#include <gtest/gtest.h>

#include "FwTestClasses.h"
#include "FwTestUtil.h"

#include <memory>

namespace fwtest {
namespace {

const char* const kForm = R"(object TestForm1: TTestForm
  Left = 100
  Top = 120
  Width = 400
  Height = 300
  Caption = 'Form 中文'#9'x'
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 392
    Height = 100
    Align = alTop
    BevelOuter = bvLowered
    TabOrder = 0
    object Button1: TButton
      Left = 8
      Top = 8
      Caption = 'OK'
      TabOrder = 1
      OnClick = FormPing
    end
    object Edit1: TEdit
      Left = 100
      Top = 8
      Text = 'abc'
      TabOrder = 0
    end
  end
  object ListBox1: TListBox
    Left = 0
    Top = 100
    Align = alClient
    Items.Strings = (
      'one'
      'two'
      '三')
    TabOrder = 1
  end
  object Label1: TLabel
    Caption = 'label'
    Font.Name = 'Arial'
    Font.Color = clRed
    Font.Style = [fsBold]
    Cursor = crHandPoint
  end
  object Rec1: TRecordingComponent
    Value = 1
    Peer = Rec3
    Mode = tmFast
    Options = [toA, toC]
    Text = 'x'
    Blob = {00 01 FF}
    OnPing = FormPing
    OnCount = FormCount
  end
  object Rec2: TRecordingComponent
    Value = 2
  end
  object Rec3: TRecordingComponent
    Value = 3
    Peer = TestForm1
  end
end
)";

TEST(FormReader, BuildsTheWholeForm) {
  TTestForm form(nullptr);
  ReadComponentText(&form, kForm);
  EXPECT_EQ(form.Name(), "TestForm1");
  EXPECT_EQ(form.Caption(), L"Form 中文\tx");
  EXPECT_EQ(form.Width(), 400);

  auto* panel = form.Find<TPanel>("Panel1");
  auto* button = form.Find<TButton>("Button1");
  auto* edit = form.Find<TEdit>("Edit1");
  auto* list = form.Find<TListBox>("ListBox1");
  auto* label = form.Find<TLabel>("Label1");
  ASSERT_TRUE(panel && button && edit && list && label);
  EXPECT_EQ(panel->Parent(), &form);
  EXPECT_EQ(button->Parent(), panel);
  EXPECT_EQ(button->Owner(), &form); // everything is owned by the root
  EXPECT_EQ(panel->BevelOuter(), bvLowered);
  EXPECT_EQ(edit->Text(), L"abc");
  EXPECT_EQ(list->Items().ToVector(), (std::vector<std::wstring>{L"one", L"two", L"三"}));
  EXPECT_EQ(label->Font().Name(), L"Arial");
  EXPECT_EQ(label->Font().Color(), clRed);
  EXPECT_EQ(label->Font().Style(), 1u << fsBold);
  EXPECT_FALSE(label->ParentFont());
  EXPECT_EQ(label->Cursor(), crHandPoint);
  EXPECT_EQ(panel->TabList(), (std::vector<TWinControl*>{edit, button}));

  button->Click();
  EXPECT_EQ(form.PingCount, 1);
  EXPECT_EQ(form.LastSender, button);

  auto* rec1 = form.Find<TRecordingComponent>("Rec1");
  auto* rec3 = form.Find<TRecordingComponent>("Rec3");
  ASSERT_TRUE(rec1 && rec3);
  EXPECT_EQ(rec1->Peer(), rec3);
  EXPECT_EQ(rec3->Peer(), &form); // the root by its own name
  EXPECT_EQ(rec1->Mode, tmFast);
  EXPECT_EQ(rec1->Options, 5u);
  EXPECT_EQ(rec1->Text, L"x");
  EXPECT_EQ(rec1->Blob, (std::vector<std::uint8_t>{0x00, 0x01, 0xFF}));
  rec1->OnPing(rec1);
  EXPECT_EQ(form.PingCount, 2);
  rec1->OnCount(rec1, 42);
  EXPECT_EQ(form.LastCount, 42);
}

TEST(FormReader, LoadedRunsOnceAfterEverythingWasRead) {
  LoadedLog().clear();
  TTestForm form(nullptr);
  ReadComponentText(&form, kForm);
  ASSERT_EQ(LoadedLog().size(), 3u);
  const std::vector<std::pair<std::string, int>> all{{"Rec1", 1}, {"Rec2", 2}, {"Rec3", 3}};
  const char* order[] = {"Rec1", "Rec2", "Rec3"};
  for (int i = 0; i < 3; ++i) {
    const TLoadedRecord& r = LoadedLog()[i];
    EXPECT_EQ(r.Name, order[i]);
    EXPECT_EQ(r.OwnerValues, all) << r.Name; // the later ones were read already
    EXPECT_FALSE(r.StillLoading) << r.Name;
  }
  EXPECT_TRUE(LoadedLog()[0].PeerSet); // references resolved before Loaded
  for (int i = 0; i < form.ComponentCount(); ++i) {
    TComponent* c = form.Components(i);
    EXPECT_FALSE(c->HasState(csLoading)) << c->Name();
    if (auto* rec = As<TRecordingComponent>(c)) {
      EXPECT_EQ(rec->LoadedCalls, 1) << c->Name();
      EXPECT_TRUE(rec->LoadingWhenValueSet) << c->Name();
    }
  }
  EXPECT_FALSE(form.HasState(csLoading));
}

TEST(FormReader, AlignsOnceLoadedAndShown) {
  TTestForm form(nullptr);
  ReadComponentText(&form, kForm);
  form.HandleNeeded();
  auto* panel = form.Find<TPanel>("Panel1");
  auto* list = form.Find<TListBox>("ListBox1");
  RECT client;
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(panel->Width(), client.right);
  EXPECT_EQ(list->Top(), 100);
  EXPECT_EQ(list->Height(), client.bottom - 100);
  EXPECT_EQ(list->Items().Count(), 3); // the lines moved into the window
  EXPECT_EQ(SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0), 3);
}

TEST(FormReader, AlignsWhenReadIntoAFormThatHasAWindow) {
  TTestForm form(nullptr);
  form.SetBounds(10, 10, 300, 200);
  form.HandleNeeded();
  ReadComponentText(&form, "object F: TTestForm\n"
                           "  object Top1: TPanel\n"
                           "    Width = 10\n"
                           "    Height = 30\n"
                           "    Align = alTop\n"
                           "  end\n"
                           "  object Rest: TPanel\n"
                           "    Width = 10\n"
                           "    Height = 10\n"
                           "    Align = alClient\n"
                           "    object Inner: TPanel\n"
                           "      Height = 20\n"
                           "      Align = alBottom\n"
                           "    end\n"
                           "  end\n"
                           "end\n");
  RECT client;
  GetClientRect(form.Handle(), &client);
  auto* top = form.Find<TPanel>("Top1");
  auto* rest = form.Find<TPanel>("Rest");
  auto* inner = form.Find<TPanel>("Inner");
  EXPECT_EQ(top->Width(), client.right);
  EXPECT_EQ(rest->Top(), 30);
  EXPECT_EQ(rest->Width(), client.right);
  EXPECT_EQ(rest->Height(), client.bottom - 30);
  EXPECT_EQ(inner->Top(), rest->Height() - 1 - 20); // inside the raised bevel
  EXPECT_EQ(inner->Width(), rest->Width() - 2);
}

TEST(FormWriter, WriteReadWriteIsStable) {
  TTestForm first(nullptr);
  ReadComponentText(&first, kForm);
  const std::string text1 = WriteComponentText(&first);
  TTestForm second(nullptr);
  ReadComponentText(&second, text1);
  const std::string text2 = WriteComponentText(&second);
  EXPECT_EQ(text1, text2);
  for (const char* part :
       {"object TestForm1: TTestForm\n", "  Caption = 'Form 中文'#9'x'\n",
        "    object Button1: TButton\n", "      OnClick = FormPing\n", "    TabOrder = 1\n",
        "    Items.Strings = (\n      'one'\n      'two'\n      '三')\n", "    Peer = Rec3\n",
        "    Peer = TestForm1\n", "    Options = [toA, toC]\n", "    Mode = tmFast\n",
        "    Blob = {\n      0001FF}\n", "    OnCount = FormCount\n", "    Font.Style = [fsBold]\n",
        "    Cursor = crHandPoint\n"})
    EXPECT_NE(text1.find(part), std::string::npos) << part << "not in\n" << text1;
  // Properties at their defaults are left out.
  EXPECT_EQ(text1.find("Mode = tmOff"), std::string::npos);
  EXPECT_EQ(text1.find("Blob"), text1.rfind("Blob")); // only Rec1 has data
}

TEST(FormWriter, WritesWhatTheWindowsHoldNow) {
  TTestForm form(nullptr);
  ReadComponentText(&form, "object F: TTestForm\n"
                           "  object L: TListBox\n"
                           "    Items.Strings = (\n"
                           "      'a')\n"
                           "  end\n"
                           "  object C: TComboBox\n"
                           "    Style = csDropDownList\n"
                           "    Items.Strings = (\n"
                           "      'x'\n"
                           "      'y')\n"
                           "    ItemIndex = 1\n"
                           "  end\n"
                           "end\n");
  form.HandleNeeded();
  auto* list = form.Find<TListBox>("L");
  auto* combo = form.Find<TComboBox>("C");
  EXPECT_EQ(combo->ItemIndex(), 1);
  SendMessageW(list->Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"added"));
  SendMessageW(combo->Handle(), CB_SETCURSEL, 0, 0);
  const std::string text = WriteComponentText(&form);
  EXPECT_NE(text.find("    Items.Strings = (\n      'a'\n      'added')\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("    ItemIndex = 0\n"), std::string::npos) << text;
  EXPECT_NE(text.find("    Style = csDropDownList\n"), std::string::npos) << text;

  form.DestroyHandle(); // the lines go back into the lists and stay
  EXPECT_EQ(list->Items().ToVector(), (std::vector<std::wstring>{L"a", L"added"}));
  EXPECT_EQ(WriteComponentText(&form), text);
}

TEST(FormWriter, SkipsEventsBoundElsewhere) {
  TTestForm form(nullptr), other(nullptr);
  form.SetName("F");
  auto* rec = new TRecordingComponent(&form);
  rec->SetName("R");
  rec->OnPing = TNotifyEvent(&other, &TTestForm::FormPing); // not the root's method
  rec->OnCount = TCountEvent(&form, &TTestForm::FormCount);
  const std::string text = WriteComponentText(&form);
  EXPECT_EQ(text.find("OnPing"), std::string::npos);
  EXPECT_NE(text.find("    OnCount = FormCount\n"), std::string::npos);
}

struct TBadCase {
  const char* Body; // inside "object F: TTestForm ... end", from line 2
  int Line;
  const char* MessagePart;
};

const TBadCase kBadCases[] = {
    {"  object X: TNoSuchThing\n  end\n", 2, "class TNoSuchThing not found"},
    {"  object W: TWinControl\n  end\n", 2, "class TWinControl not found"},
    {"  object S: TStringList\n  end\n", 2, "not a component"},
    {"  object B: TButton\n    Bogus = 1\n  end\n", 3, "property Bogus does not exist"},
    {"  Font.Bogus = 1\n", 2, "property Bogus does not exist"},
    {"  Nope.Height = 1\n", 2, "property Nope does not exist"},
    {"  Left = 'x'\n", 2, "invalid value for Left"},
    {"  Left = 99999999999\n", 2, "out of range"},
    {"  Color = clNoSuchColour\n", 2, "invalid value for Color"},
    {"  Align = 5\n", 2, "invalid value for Align"},
    {"  Align = alSideways\n", 2, "invalid value for Align"},
    {"  Caption = 5\n", 2, "a string is expected"},
    {"  BorderIcons = biHelp\n", 2, "a set is expected"},
    {"  BorderIcons = [biNothing]\n", 2, "invalid set member biNothing"},
    {"  Font = 5\n", 2, "invalid value for Font"},
    {"  object L: TListBox\n    Items.Strings = 5\n  end\n", 3, "list of strings"},
    {"  object L: TListBox\n    Items.Strings = (\n      'a'\n      7)\n  end\n", 5,
     "a string is expected"},
    {"  object R: TRecordingComponent\n    Blob = 5\n  end\n", 3, "Blob does not exist"},
    {"  object B: TButton\n    OnClick = NoSuchMethod\n  end\n", 3,
     "method NoSuchMethod not found"},
    {"  object B: TButton\n    OnClick = 'FormPing'\n  end\n", 3, "method name is expected"},
    {"  object R: TRecordingComponent\n    OnCount = FormPing\n  end\n", 3,
     "FormPing does not suit OnCount"},
    {"  object R: TRecordingComponent\n    Value = 1\n    Peer = Ghost\n  end\n", 4,
     "component Ghost not found"},
    {"  object B: TButton\n  end\n  object b: TEdit\n  end\n", 4, "already exists"},
    {"  object L: TLabel\n    object B: TButton\n    end\n  end\n", 3, "needs a windowed parent"},
    {"  object P: TPanel\n    object M: TMenuItem\n    end\n  end\n", 3,
     "TMenuItem cannot sit inside TPanel"},
    {"  object I: TImageList\n    object M: TMenuItem\n    end\n  end\n", 3,
     "TMenuItem cannot sit inside TImageList"},
    {"  object M: TMainMenu\n    object I: TMenuItem\n      object P: TPopupMenu\n      end\n"
     "    end\n  end\n",
     4, "TPopupMenu cannot sit inside TMenuItem"},
    {"  object M: TMainMenu\n    object B: TButton\n    end\n  end\n", 3,
     "needs a windowed parent"},
    {"  Caption = 'unterminated\n", 2, "unterminated string"},
    {"  object B: TButton\n", 4, "\"end\" is missing"},
};

std::string BadForm(const TBadCase& c) {
  return std::string("object F: TTestForm\n") + c.Body + "end\n";
}

TEST(FormReader, BadDescriptionsNameTheLine) {
  for (const auto& c : kBadCases) {
    auto form = std::make_unique<TTestForm>(nullptr);
    try {
      ReadComponentText(form.get(), BadForm(c));
      ADD_FAILURE() << "accepted:\n" << BadForm(c);
    } catch (const EFormReadError& e) {
      EXPECT_EQ(e.Line(), c.Line) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.MessagePart), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find("line " + std::to_string(c.Line)), std::string::npos)
          << e.what();
    }
  }
}

TEST(FormReader, FailedReadLeavesNothingThatCrashesLater) {
  // The first windows of a thread bring helper windows of the system along.
  MakeForm(0, 0, 100, 100, true).reset();
  Pump();
  const std::vector<HWND> before = ThreadWindows();
  for (bool withWindow : {false, true}) {
    for (const auto& c : kBadCases) {
      auto form = std::make_unique<TTestForm>(nullptr);
      if (withWindow) form->HandleNeeded(); // controls get windows while they are read
      EXPECT_THROW(ReadComponentText(form.get(), BadForm(c)), EFormReadError) << c.Body;
      // What was made so far belongs to the form: it can be shown, used and
      // freed like any other.
      form->SetBounds(10, 10, 200, 150);
      form->Show();
      Pump();
      RedrawWindow(form->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      Pump();
      form.reset();
      Pump();
      EXPECT_EQ(ThreadWindows(), before) << c.Body;
    }
  }
}

TEST(FormReader, InheritedObjectReusesTheExistingComponent) {
  TTestForm form(nullptr);
  auto* existing = new TRecordingComponent(&form);
  existing->SetName("Rec");
  ReadComponentText(&form, "object F: TTestForm\n"
                           "  inherited Rec: TRecordingComponent\n"
                           "    Value = 9\n"
                           "  end\n"
                           "end\n");
  EXPECT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(existing->Value(), 9);
}

} // namespace
} // namespace fwtest
