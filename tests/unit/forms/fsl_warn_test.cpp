// The warning form's description, read from its component text through the binary form into
// the form objects: the controls it creates, the reference it resolves and
// the handlers it binds.
#include "forms/fsl_warn.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "base/stream.h"
#include "streaming/convert.h"
#include "streaming/object_stream.h"

namespace {

class FSLWarnDescription : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterFormClasses();
    std::string here = __FILE__;  // the description sits beside the form's code
    std::string path = here.substr(0, here.rfind("tests/unit/forms/")) + "src/forms/fsl_warn.txt";
#ifdef _WIN32
    if (path[0] == '/') path = "Z:" + path;  // a Unix path under Wine
#endif
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    ASSERT_FALSE(text.str().empty()) << "fsl_warn.txt not found at " << path;
    TMemoryStream source(text.str()), binary;
    ConvertTextToBinary(source, binary);
    binary.setPosition(0);
    ReadRootObject(binary, form_);
  }

  TFSLWarn form_{nullptr};
};

TEST_F(FSLWarnDescription, BecomesTheFormAndItsControls) {
  EXPECT_EQ("FSLWarn", form_.name());
  EXPECT_EQ("No FSL file selected for %s", form_.FCaption) << "form caption";
  EXPECT_EQ(form_.field<TRadioButton>("WantFSL"), form_.activeControl()) << "ActiveControl not resolved";
  struct Case {
    const char* name;
    const char* className;
    const char* onClick;
  } cases[] = {
      {"Label1", "TLabel", ""},
      {"CheckBox1", "TCheckBox", ""},
      {"Button1", "TButton", "Button1Click"},
      {"Button2", "TButton", "Button2Click"},
      {"WantFSL", "TRadioButton", ""},
      {"NOFSLFile", "TRadioButton", ""},
  };
  ASSERT_EQ(std::size(cases), form_.components().size()) << "number of controls read";
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    auto* control = dynamic_cast<TControl*>(form_.components()[i]);
    ASSERT_NE(nullptr, control) << c.name << ": not a control";
    EXPECT_EQ(c.name, control->name()) << "control " << i << " out of description order";
    EXPECT_STREQ(c.className, control->className()) << c.name;
    EXPECT_EQ(c.onClick, control->FOnClick.publishedName) << c.name << " OnClick name";
    EXPECT_EQ(*c.onClick != 0, static_cast<bool>(control->FOnClick)) << c.name << " OnClick bound";
  }
  EXPECT_FALSE(form_.field<TCheckBox>("CheckBox1")->FVisible) << "CheckBox1 is hidden";
  EXPECT_TRUE(form_.field<TButton>("Button2")->FDefault) << "OK is the default button";
  EXPECT_TRUE(form_.field<TRadioButton>("WantFSL")->checked()) << "WantFSL starts checked";
}

}  // namespace
