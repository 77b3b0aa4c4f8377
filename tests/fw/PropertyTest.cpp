#include <gtest/gtest.h>

#include "FwTestClasses.h"
#include "FwTestUtil.h"

namespace fwtest {
namespace {

TEST(PropertyByName, IntegerReadAndWrite) {
  TButton button(nullptr);
  button.SetBounds(3, 4, 50, 20);
  struct {
    const char* Name;
    std::int64_t Expected;
  } reads[] = {{"Left", 3}, {"top", 4}, {"WIDTH", 50}, {"Height", 20}, {"Tag", 0}};
  for (const auto& r : reads)
    EXPECT_EQ(GetIntProp(&button, r.Name), r.Expected) << r.Name;

  EXPECT_TRUE(SetIntProp(&button, "Width", 77));
  EXPECT_EQ(button.Width(), 77);
  EXPECT_TRUE(SetIntProp(&button, "Tag", 5555));
  EXPECT_EQ(button.Tag(), 5555);
  EXPECT_TRUE(SetIntProp(&button, "Color", clRed));
  EXPECT_EQ(button.Color(), clRed);
}

TEST(PropertyByName, AbsentOrOtherKindGivesTheFallback) {
  TButton button(nullptr);
  struct {
    const char* Name;
    std::int64_t Fallback;
  } cases[] = {
      {"NoSuchProperty", -1},
      {"NoSuchProperty", 77},
      {"Caption", -1}, // a string
      {"Align", -1},   // an enumeration
      {"Font", 12},    // an object
      {"OnClick", -1}, // an event
      {"", -1},
  };
  for (const auto& c : cases) {
    const std::int64_t got =
        c.Fallback == -1 ? GetIntProp(&button, c.Name) : GetIntProp(&button, c.Name, c.Fallback);
    EXPECT_EQ(got, c.Fallback) << c.Name;
  }
  EXPECT_EQ(GetIntProp(nullptr, "Left"), -1);
  EXPECT_FALSE(SetIntProp(&button, "Caption", 1));
  EXPECT_FALSE(SetIntProp(&button, "NoSuchProperty", 1));
  EXPECT_EQ(GetEnumProp(&button, "Left"), "");
  EXPECT_EQ(GetStrProp(&button, "Left"), L"");
  EXPECT_EQ(GetSetProp(&button, "Left"), 0u);
  EXPECT_EQ(GetObjectProp(&button, "Left"), nullptr);
}

TEST(PropertyByName, EnumerationByValueName) {
  TPanel panel(nullptr);
  EXPECT_EQ(GetEnumProp(&panel, "Align"), "alNone");
  EXPECT_EQ(GetEnumProp(&panel, "Visible"), "True");
  EXPECT_EQ(GetEnumProp(&panel, "BevelOuter"), "bvRaised");

  struct {
    const char* Name;
    const char* Value;
    bool Accepted;
    const char* After;
  } writes[] = {
      {"Align", "alClient", true, "alClient"},  {"align", "ALTOP", true, "alTop"},
      {"Align", "alSideways", false, "alTop"},  {"Align", "", false, "alTop"},
      {"BevelOuter", "bvNone", true, "bvNone"}, {"Visible", "false", true, "False"},
      {"Left", "alTop", false, nullptr},        {"Nope", "alTop", false, nullptr},
  };
  for (const auto& w : writes) {
    EXPECT_EQ(SetEnumProp(&panel, w.Name, w.Value), w.Accepted) << w.Name << "=" << w.Value;
    if (w.After) {
      EXPECT_EQ(GetEnumProp(&panel, w.Name), w.After) << w.Name << "=" << w.Value;
    }
  }
  EXPECT_EQ(panel.Align(), alTop);
  EXPECT_FALSE(panel.Visible());
}

TEST(PropertyByName, SetsStringsAndObjects) {
  TForm form(nullptr);
  EXPECT_EQ(GetSetProp(&form, "BorderIcons"), 7u);
  form.SetBorderIcons(1u << biSystemMenu | 1u << biHelp);
  EXPECT_EQ(GetSetProp(&form, "BorderIcons"), 9u);

  EXPECT_TRUE(SetStrProp(&form, "Caption", L"标题"));
  EXPECT_EQ(form.Caption(), L"标题");
  EXPECT_EQ(GetStrProp(&form, "caption"), L"标题");
  EXPECT_FALSE(SetStrProp(&form, "Width", L"5"));

  TObject* font = GetObjectProp(&form, "Font", &TFont::StaticClass());
  EXPECT_EQ(font, &form.Font());
  EXPECT_EQ(GetObjectProp(&form, "Font"), &form.Font());
  EXPECT_EQ(GetObjectProp(&form, "Font", &TStrings::StaticClass()), nullptr);
  EXPECT_EQ(GetObjectProp(&form, "Caption"), nullptr);

  // The font's own properties by name, as the skin engine reads them.
  form.Font().SetStyle(1u << fsBold | 1u << fsUnderline);
  EXPECT_EQ(GetSetProp(font, "Style"), 5u);
  EXPECT_TRUE(SetIntProp(font, "Height", -20));
  EXPECT_EQ(form.Font().Height(), -20);
  EXPECT_TRUE(SetStrProp(font, "Name", L"宋体"));
  EXPECT_EQ(form.Font().Name(), L"宋体");

  TListBox list(nullptr);
  auto* items = As<TStrings>(GetObjectProp(&list, "Items", &TStrings::StaticClass()));
  ASSERT_NE(items, nullptr);
  items->Add(L"x");
  EXPECT_EQ(list.Items().Count(), 1);
}

TEST(PropertyByName, SetPropFromText) {
  TEdit edit(nullptr);
  struct {
    const char* Name;
    const wchar_t* Text;
    bool Accepted;
  } cases[] = {
      {"Width", L"42", true},      {"Height", L"$10", true},     {"Left", L" -5", true},
      {"Top", L"abc", false},      {"Top", L"", false},          {"Tag", L"99999999999", false},
      {"Align", L"alRight", true}, {"Visible", L"Maybe", false}, {"Text", L"typed", true},
      {"Hint", L"", true},         {"Font", L"x", false},        {"NoSuch", L"1", false},
      {"OnChange", L"x", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SetPropFromText(&edit, c.Name, c.Text), c.Accepted) << c.Name;
  EXPECT_EQ(edit.Width(), 42);
  EXPECT_EQ(edit.Height(), 16);
  EXPECT_EQ(edit.Left(), -5);
  EXPECT_EQ(edit.Top(), 0);
  EXPECT_EQ(edit.Align(), alRight);
  EXPECT_TRUE(edit.Visible());
  EXPECT_EQ(edit.Text(), L"typed");
}

TEST(PropertyByName, InheritedAndOverriddenLookups) {
  TComboBox combo(nullptr);
  const TPropInfo* text = GetPropInfo(&combo, "text");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->Kind, TPropKind::String);
  EXPECT_NE(GetPropInfo(&combo, "TabOrder"), nullptr); // from TWinControl
  EXPECT_NE(GetPropInfo(&combo, "Name"), nullptr);     // from TComponent
  EXPECT_EQ(GetPropInfo(&combo, "AutoSize"), nullptr); // a label's, not a combo's
  EXPECT_EQ(GetPropInfo(nullptr, "Name"), nullptr);
}

TEST(Idents, ColoursCharsetsCursors) {
  struct {
    const TIdentMap* Map;
    const char* Ident;
    std::int64_t Value;
  } cases[] = {
      {&ColorIdents(), "clBtnFace", static_cast<std::int64_t>(0x80000000u | COLOR_BTNFACE)},
      {&ColorIdents(), "clblue", 0xFF0000},
      {&ColorIdents(), "clWindowText", static_cast<std::int64_t>(0x80000000u | COLOR_WINDOWTEXT)},
      {&ColorIdents(), "clNone", 0x1FFFFFFF},
      {&CharsetIdents(), "GB2312_CHARSET", 134},
      {&CharsetIdents(), "DEFAULT_CHARSET", 1},
      {&CursorIdents(), "crHandPoint", -21},
      {&CursorIdents(), "crDefault", 0},
      {&CursorIdents(), "CRIBEAM", -4},
  };
  for (const auto& c : cases) {
    std::int64_t v = 12345;
    EXPECT_TRUE(IdentToInt(*c.Map, c.Ident, v)) << c.Ident;
    EXPECT_EQ(v, c.Value) << c.Ident;
    const std::string* back = IntToIdent(*c.Map, c.Value);
    ASSERT_NE(back, nullptr) << c.Ident;
    EXPECT_EQ(LowerAscii(*back), LowerAscii(c.Ident));
  }
  std::int64_t untouched = 5;
  EXPECT_FALSE(IdentToInt(ColorIdents(), "clNoSuchColour", untouched));
  EXPECT_EQ(untouched, 5);
  EXPECT_EQ(IntToIdent(ColorIdents(), 0x123456), nullptr);
  EXPECT_EQ(IntToIdent(CursorIdents(), -5), nullptr);
}

TEST(Idents, StoredDescriptionUsesThem) {
  TTestForm form(nullptr);
  ReadComponentText(&form, "object F: TTestForm\n"
                           "  Color = clRed\n"
                           "  Cursor = crHandPoint\n"
                           "  Font.Charset = GB2312_CHARSET\n"
                           "  Font.Color = clHighlight\n"
                           "  object L: TLabel\n"
                           "    Color = 12345\n"
                           "    Cursor = -3\n"
                           "  end\n"
                           "end\n");
  EXPECT_EQ(form.Color(), clRed);
  EXPECT_EQ(form.Cursor(), crHandPoint);
  EXPECT_EQ(form.Font().Charset(), GB2312_CHARSET);
  EXPECT_EQ(form.Font().Color(), clHighlight);
  const std::string text = WriteComponentText(&form);
  for (const char* line :
       {"  Color = clRed\n", "  Cursor = crHandPoint\n", "  Font.Charset = GB2312_CHARSET\n",
        "  Font.Color = clHighlight\n", "    Color = 12345\n", "    Cursor = crCross\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << " not in\n" << text;
}

} // namespace
} // namespace fwtest
