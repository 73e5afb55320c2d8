// The warning form's description, read from its component text through the binary form into
// the form objects: the controls it creates, the reference and the events it binds, and what the
// two handlers do with the result.
#include "forms/fsl_warn.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/stream.h"
#include "streaming/convert.h"
#include "streaming/object_stream.h"

namespace {

// The description kept beside the form's code; the test sits at tests/unit/forms/.
std::string DescriptionText() {
  std::string here = __FILE__;
  std::string path = here.substr(0, here.rfind("tests/unit/forms/")) + "src/forms/fsl_warn.txt";
#ifdef _WIN32
  if (!path.empty() && path[0] == '/') path = "Z:" + path;  // a Unix path under Wine
#endif
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

class FSLWarnDescription : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterFormClasses();
    std::string text = DescriptionText();
    ASSERT_FALSE(text.empty()) << "fsl_warn.txt not found beside the form's code";
    TMemoryStream source(text);
    TMemoryStream binary;
    ConvertTextToBinary(source, binary);
    binary.setPosition(0);
    ReadRootObject(binary, form_);
  }

  void click(const char* name) {
    auto* control = form_.field<TControl>(name);
    ASSERT_NE(nullptr, control) << name;
    control->FOnClick(control);
  }

  TFSLWarn form_{nullptr};
};

TEST_F(FSLWarnDescription, FormTakesItsPublishedProperties) {
  EXPECT_EQ("FSLWarn", form_.name());
  EXPECT_EQ(321, form_.FLeft);
  EXPECT_EQ(249, form_.FTop);
  EXPECT_EQ(form_.field<TRadioButton>("WantFSL"), form_.activeControl());
  EXPECT_EQ(SetOf(biSystemMenu) | SetOf(biMinimize) | SetOf(biMaximize) | SetOf(biHelp), form_.FBorderIcons);
  EXPECT_FALSE(form_.FAutoScroll);
  EXPECT_EQ("No FSL file selected for %s", form_.FCaption);
  EXPECT_EQ(152, form_.FClientHeight);
  EXPECT_EQ(347, form_.FClientWidth);
  EXPECT_EQ(static_cast<int32_t>(0x80000008u), form_.FFont.color());
  EXPECT_EQ(-12, form_.FFont.height());
  EXPECT_EQ("MS Sans Serif", form_.FFont.name());
  EXPECT_EQ(0, form_.FFont.style());
  EXPECT_EQ(poScreenCenter, form_.FPosition);
  EXPECT_EQ(96, form_.FPixelsPerInch);
  EXPECT_EQ(13, form_.FTextHeight);
  EXPECT_EQ(0, form_.FHelpContext);
  EXPECT_EQ(mrNone, form_.FModalResult);
}

TEST_F(FSLWarnDescription, ChildrenBecomeControlsInDescriptionOrder) {
  constexpr int kNone = -2;  // not a windowed control
  struct Case {
    const char* name;
    const char* className;
    int left, top, width, height;
    bool visible;
    int tabOrder;
    bool tabStop;
    const char* onClick;
    const char* caption;
  } cases[] = {
      {"Label1", "TLabel", 8, 16, 308, 26, true, kNone, false, "",
       "You did not specify a Final Storage Label (FSL) file.  Selecting an FSL file allows column "
       "headers and time stamps to be displayed."},
      {"CheckBox1", "TCheckBox", 8, 48, 177, 17, false, 0, true, "", "Never show this warning again"},
      {"Button1", "TButton", 264, 120, 75, 25, true, 1, true, "Button1Click", "&Help"},
      {"Button2", "TButton", 176, 120, 75, 25, true, 2, true, "Button2Click", "&OK"},
      {"WantFSL", "TRadioButton", 8, 72, 153, 17, true, 3, true, "", "I want to select an FSL file"},
      {"NOFSLFile", "TRadioButton", 8, 96, 225, 17, true, 4, false, "",
       "I do not want an FSL file for this data file"},
  };
  ASSERT_EQ(std::size(cases), form_.components().size());
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    auto* control = dynamic_cast<TControl*>(form_.components()[i]);
    ASSERT_NE(nullptr, control) << c.name;
    EXPECT_EQ(c.name, control->name());
    EXPECT_STREQ(c.className, control->className()) << c.name;
    EXPECT_EQ((std::vector<int>{c.left, c.top, c.width, c.height}),
              (std::vector<int>{control->FLeft, control->FTop, control->FWidth, control->FHeight}))
        << c.name;
    EXPECT_EQ(c.visible, control->FVisible) << c.name;
    EXPECT_EQ(c.caption, control->FCaption) << c.name;
    EXPECT_EQ(c.onClick, control->FOnClick.publishedName) << c.name;
    EXPECT_EQ(*c.onClick != 0, static_cast<bool>(control->FOnClick)) << c.name << ": handler bound";
    auto* windowed = dynamic_cast<TWinControl*>(control);
    EXPECT_EQ(c.tabOrder, windowed ? windowed->FTabOrder : kNone) << c.name;
    EXPECT_EQ(c.tabStop, windowed && windowed->FTabStop) << c.name;
  }
  EXPECT_TRUE(form_.field<TLabel>("Label1")->FWordWrap);
  EXPECT_FALSE(form_.field<TButton>("Button1")->FDefault);
  EXPECT_TRUE(form_.field<TButton>("Button2")->FDefault);
  EXPECT_TRUE(form_.field<TRadioButton>("WantFSL")->checked());
  EXPECT_FALSE(form_.field<TRadioButton>("NOFSLFile")->checked());
}

TEST_F(FSLWarnDescription, OkAnswersByTheCheckedRadioButton) {
  struct Case {
    const char* check;
    int32_t modalResult;
  } cases[] = {{"WantFSL", mrOk}, {"NOFSLFile", mrCancel}, {"WantFSL", mrOk}};
  for (const Case& c : cases) {
    form_.field<TRadioButton>(c.check)->setChecked(true);
    form_.FModalResult = mrNone;
    click("Button2");
    EXPECT_EQ(c.modalResult, form_.FModalResult) << c.check;
  }
  EXPECT_TRUE(form_.field<TRadioButton>("WantFSL")->checked());
  EXPECT_FALSE(form_.field<TRadioButton>("NOFSLFile")->checked()) << "checking one radio button clears the other";
}

// The lowest 32-bit value lies outside the platform's help-context range; it is passed on as it
// is, like any other, rather than failing after the user has accepted a file.
TEST_F(FSLWarnDescription, HelpAsksWithTheFormsHelpContextUnchanged) {
  const PropInfo* helpContext = TFSLWarn::StaticClass().findProperty("HelpContext");
  ASSERT_NE(nullptr, helpContext);
  std::vector<int32_t> asked;
  form_.onHelpRequest = [&asked](int32_t context) { asked.push_back(context); };
  const std::vector<int32_t> contexts = {0, 4711, INT32_MIN, INT32_MAX};
  for (int32_t context : contexts) {
    helpContext->ord.set(form_, context);
    click("Button1");
  }
  EXPECT_EQ(contexts, asked);
  EXPECT_EQ(mrNone, form_.FModalResult) << "Help leaves the form open";
}

TEST(FormClasses, EveryTableHasUniqueNamesInContiguousIndexOrder) {
  for (const ClassInfo* info : {&TFSLWarn::StaticClass(), &TLabel::StaticClass(), &TButton::StaticClass(),
                                &TCheckBox::StaticClass(), &TRadioButton::StaticClass()}) {
    std::set<std::string> names;
    int expected = 0;
    for (const PropInfo* p : info->properties()) {
      EXPECT_EQ(expected++, p->index) << info->name << "." << p->name;
      EXPECT_TRUE(names.insert(p->name).second) << info->name << "." << p->name;
    }
  }
}

}  // namespace
