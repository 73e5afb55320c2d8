#include "streaming/object_stream.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/errors.h"
#include "base/stream.h"
#include "objects/application_forms.h"
#include "objects/class_registry.h"
#include "objects/collection.h"
#include "objects/component.h"
#include "objects/ident_map.h"
#include "objects/strings.h"
#include "streaming/convert.h"
#include "streaming/filer.h"
#include "testing/expect_throw_msg.h"

namespace {

// One published property of every kind the engine streams.
struct TRow : TCollectionItem {
  using TCollectionItem::TCollectionItem;
  DECLARE_CLASS_INFO()
  int32_t value = 0;
};

struct TSample : TComponent {
  explicit TSample(TComponent* owner) : TComponent(owner), rows([](TCollection* c) {
    return std::unique_ptr<TCollectionItem>(new TRow(c));
  }) {}
  DECLARE_CLASS_INFO()

  TStrings* getItems() const { return &items; }
  void setItems(TPersistent* source) { items.assign(source); }
  TPersistent* getRows() const { return &rows; }
  void setRows(TPersistent*) {}
  TPersistent* getPeer() const { return peer; }
  void setPeer(TPersistent* p) { peer = dynamic_cast<TComponent*>(p); }
  int32_t getFixed() const { return 42; }
  std::string getHandler() const { return handler; }
  void setHandler(const std::string& h) { handler = h; }

  int32_t number = 0;
  int32_t color = 0;
  int32_t letter = 0;
  int32_t mode = 0;
  long double ratio = 0;
  std::string text;
  int32_t flags = 0;
  mutable TStringList items;
  mutable TCollection rows;
  TComponent* peer = nullptr;
  std::string handler;
};

const TypeInfo& ModeType() {
  static const TypeInfo type{"TMode", TypeKind::Enumeration, {"mdOff", "mdOn", "mdAuto"}};
  return type;
}
const TypeInfo& FlagsType() {
  static const TypeInfo type{"TFlags", TypeKind::Set, {"fA", "fB", "fC"}};
  return type;
}
const TypeInfo& CharType() {
  static const TypeInfo type{"Char", TypeKind::Char, {}};
  return type;
}
const TypeInfo& FloatType() {
  static const TypeInfo type{"Extended", TypeKind::Float, {}};
  return type;
}
const TypeInfo& RowsType() {
  static const TypeInfo type{"TCollection", TypeKind::Class, {}, &TCollection::StaticClass};
  return type;
}
const TypeInfo& PeerType() {
  static const TypeInfo type{"TComponent", TypeKind::Class, {}, &TComponent::StaticClass};
  return type;
}
const TypeInfo& PingType() {
  static const TypeInfo type{"TNotifyEvent", TypeKind::Method, {}};
  return type;
}

const ClassInfo& TRow::StaticClass() {
  static const ClassInfo info{"TRow", &TCollectionItem::StaticClass(),
                              {OrdProp("Value", 0, IntegerType(), Field<&TRow::value>(), 0)}};
  return info;
}

const ClassInfo& TSample::StaticClass() {
  using S = TSample;
  static const ClassInfo info{
      "TSample",
      &TComponent::StaticClass(),
      {
          OrdProp("Color", 2, ColorType(), Field<&S::color>()),
          OrdProp("Number", 3, IntegerType(), Field<&S::number>(), 0),
          OrdProp("Letter", 4, CharType(), Field<&S::letter>(), 0),
          OrdProp("Mode", 5, ModeType(), Field<&S::mode>(), 0),
          FloatProp("Ratio", 6, FloatType(), Field<&S::ratio>()),
          StrProp("Text", 7, StringType(), Field<&S::text>()),
          OrdProp("Flags", 8, FlagsType(), Field<&S::flags>(), 0),
          ObjProp("Items", 9, StringsType(), Accessors<&S::getItems, &S::setItems>()),
          WithStoredTest(ObjProp("Rows", 10, RowsType(), Accessors<&S::getRows, &S::setRows>()),
                         [](const TPersistent& o) { return static_cast<const S&>(o).rows.count() > 0; }),
          ObjProp("Peer", 11, PeerType(), Accessors<&S::getPeer, &S::setPeer>()),
          OrdProp("Fixed", 12, IntegerType(), Accessors<&S::getFixed, nullptr>()),
          MethodProp("OnPing", 13, PingType(),
                     MethodAccess{[](const TPersistent& o) { return static_cast<const S&>(o).handler; },
                                  [](TPersistent& o, const std::string& h) { static_cast<S&>(o).handler = h; }}),
      },
      [](TComponent* owner) -> TComponent* { return new TSample(owner); },
      {"PingReceived"},
  };
  return info;
}

std::string ToBinary(const std::string& text) {
  TMemoryStream in(text);
  TMemoryStream out;
  ConvertTextToBinary(in, out);
  return out.str();
}

void ReadText(const std::string& text, TComponent& object) {
  TMemoryStream binary(ToBinary(text));
  ReadRootObject(binary, object);
}

std::string WriteText(TComponent& object) {
  TMemoryStream binary;
  WriteRootObject(binary, object);
  binary.setPosition(0);
  TMemoryStream text;
  ConvertBinaryToText(binary, text);
  return text.str();
}

// A host like the server's: a form owning Button1, which owns the object under test.
class ObjectStream : public ::testing::Test {
 protected:
  void SetUp() override {
    form_.setName("HostForm");
    (new TComponent(&form_))->setName("Button1");
    AddApplicationForm(&form_);
    RegisterPersistentClass(TSample::StaticClass());
    sample_ = new TSample(&form_);
  }
  void TearDown() override { RemoveApplicationForm(&form_); }

  std::string roundTrip(const std::string& properties, const std::string& header = "object S: TSample") {
    ReadText(header + "\n" + properties + "\nend\n", *sample_);
    return WriteText(*sample_);
  }

  TComponent form_{nullptr};
  TSample* sample_ = nullptr;
};

TEST_F(ObjectStream, EveryPropertyKindReadsAndWritesBack) {
  struct Case {
    const char* request;
    const char* reply;
  } cases[] = {
      {"Number = -70000", "  Number = -70000\r\n"},
      {"Color = clwindowtext", "  Color = clWindowText\r\n"},
      {"Color = 1193046", "  Color = 1193046\r\n"},
      {"Letter = 'x'", "  Letter = 'x'\r\n"},
      {"Mode = MDAUTO", "  Mode = mdAuto\r\n"},
      {"Ratio = 1.5", "  Ratio = 1.5\r\n"},
      {"Ratio = 3", "  Ratio = 3\r\n"},
      {"Text = 'It''s'", "  Text = 'It'#39's'\r\n"},
      {"Flags = [fC, fa]", "  Flags = [fA, fC]\r\n"},
      {"Items.Strings = ('one' 'two')", "  Items.Strings = (\r\n    'one'\r\n    'two')\r\n"},
      {"Rows = <item Value = 1 end item [3] Value = 4 end>",
       "  Rows = <\r\n    item\r\n      Value = 1\r\n    end\r\n    item\r\n    end\r\n    item\r\n    end\r\n"
       "    item\r\n      Value = 4\r\n    end>\r\n"},
      {"OnPing = PINGRECEIVED", "  OnPing = PingReceived\r\n"},
      {"OnPing = PingReceived OnPing = nil", ""},
      {"Left = -1 Top = 70000", "  Left = 65535\r\n  Top = 4464\r\n"},
  };
  for (const Case& c : cases) {
    delete sample_;
    sample_ = new TSample(&form_);
    std::string expected = std::string("object S: TSample\r\n") +
                           (std::string(c.request).rfind("Color", 0) == 0 ? "" : "  Color = clBlack\r\n") +
                           c.reply + "end\r\n";
    EXPECT_EQ(expected, roundTrip(c.request)) << c.request;
  }
}

TEST_F(ObjectStream, DefaultsAreLeftOutAndTheNoDefaultMarkerIsNeverWritten) {
  // Color has no default: written even when 0, left out only at -2147483648 (clScrollBar).
  EXPECT_EQ("object S: TSample\r\n  Color = clBlack\r\nend\r\n", roundTrip("Number = 0 Mode = mdOff Flags = []"));
  EXPECT_EQ("object S: TSample\r\nend\r\n", roundTrip("Color = clScrollBar"));
  EXPECT_EQ("object S: TSample\r\n  Number = -2147483648\r\nend\r\n",
            roundTrip("Color = -2147483648 Number = -2147483648"));
}

TEST_F(ObjectStream, StringListsAndSetsAreReplacedNotMerged) {
  roundTrip("Items.Strings = ('a' 'b' 'c') Flags = [fA, fB]");
  roundTrip("Items.Strings = ('z') Flags = [fC]");
  EXPECT_EQ((std::vector<std::string>{"z"}), sample_->items.lines());
  EXPECT_EQ(4, sample_->flags);
}

TEST_F(ObjectStream, ComponentReferencesResolveAfterAllPropertiesWereRead) {
  roundTrip("Peer = Kid\n  object Kid: TSample\n  end", "object S: TSample");
  ASSERT_NE(nullptr, sample_->peer);
  EXPECT_EQ("Kid", sample_->peer->name());
  EXPECT_EQ(sample_, sample_->peer->owner());
  roundTrip("Peer = HostForm.Button1");
  EXPECT_EQ(form_.findComponent("Button1"), sample_->peer);
  roundTrip("Peer = Nobody");
  EXPECT_EQ(nullptr, sample_->peer);
}

TEST_F(ObjectStream, ChildObjectsAreReadButNeverWrittenBack) {
  EXPECT_EQ("object S: TSample\r\n  Color = clBlack\r\nend\r\n",
            roundTrip("object Kid: TSample Number = 5 end"));
  auto* kid = dynamic_cast<TSample*>(sample_->findComponent("Kid"));
  ASSERT_NE(nullptr, kid);
  EXPECT_EQ(5, kid->number);
  EXPECT_EQ(0u, kid->state() & (csLoading | csReading));
  EXPECT_EQ(0u, sample_->state() & (csLoading | csReading | csWriting));
}

TEST_F(ObjectStream, TheNameIsMadeUniqueAmongFormsAndCheckedAgainstTheOwner) {
  roundTrip("", "object hostform: TSample");
  EXPECT_EQ("hostform_1", sample_->name());
  EXPECT_THROW_MSG(roundTrip("", "object BUTTON1: TSample"), EComponentError,
                   "A component named BUTTON1 already exists");
  roundTrip("", "object TSample");
  EXPECT_EQ("", sample_->name());
  EXPECT_EQ("object TSample\r\n  Color = clBlack\r\nend\r\n", WriteText(*sample_));
  // The class in the record plays no part; the object keeps its own.
  roundTrip("", "object X: TSomethingElse");
  EXPECT_EQ("object X: TSample\r\n  Color = clBlack\r\nend\r\n", WriteText(*sample_));
}

TEST_F(ObjectStream, PropertyFailuresNameTheObjectAndThePath) {
  struct Case {
    const char* header;
    const char* properties;
    const char* message;
  } cases[] = {
      {"object S: TSample", "Foo = 1", "Error reading S.Foo: Property does not exist"},
      {"object TSample", "Foo = 1", "Error reading TSample.Foo: Property does not exist"},
      {"object S: TSample", "Text.X = 1", "Error reading S.Text.X: Invalid property path"},
      {"object S: TSample", "Peer.Name = 'x'", "Error reading S.Peer.Name: Invalid property path"},
      {"object S: TSample", "Items.Foo = 1", "Error reading S.Items.Foo: Property does not exist"},
      {"object S: TSample", "Fixed = 1", "Error reading S.Fixed: Property is read-only"},
      {"object S: TSample", "Mode = 1", "Error reading S.Mode: Invalid property value"},
      {"object S: TSample", "Mode = mdNever", "Error reading S.Mode: Invalid property value"},
      {"object S: TSample", "Text = 123", "Error reading S.Text: Invalid property value"},
      {"object S: TSample", "Number = '1'", "Error reading S.Number: Invalid property value"},
      {"object S: TSample", "Number = 1.5", "Error reading S.Number: Invalid property value"},
      {"object S: TSample", "Number = clRed", "Error reading S.Number: Invalid property value"},
      {"object S: TSample", "Color = clNoSuch", "Error reading S.Color: Invalid property value"},
      {"object S: TSample", "Letter = 'xy'", "Error reading S.Letter: Invalid property value"},
      {"object S: TSample", "Flags = [fD]", "Error reading S.Flags: Invalid property value"},
      {"object S: TSample", "Flags = fA", "Error reading S.Flags: Invalid property value"},
      {"object S: TSample", "Ratio = 'a'", "Error reading S.Ratio: Invalid property value"},
      {"object S: TSample", "OnPing = Other", "Error reading S.OnPing: Invalid property value"},
      {"object S: TSample", "Items = nil", "Error reading S.Items: Cannot assign a nil to a TStringList"},
      {"object S: TSample", "Items = <>", "Error reading S.Items: Invalid property value"},
      {"object S: TSample", "Rows = <item [-2] end>", "Error reading S.Rows: Invalid property value"},
      {"object S: TSample", "Rows = <item [100000] end>", "Error reading S.Rows: Invalid property value"},
      {"object S: TSample", "Rows = <item Foo = 1 end>",
       "Error reading S.Rows: Error reading TRow.Foo: Property does not exist"},
      {"object S: TSample", "Name = '1x'", "Error reading S.Name: ''1x'' is not a valid component name"},
      {"object S: TSample", "object K: TNoSuchClass end", "Class TNoSuchClass not found"},
      {"object S: TSample", "object K: TPersistent end", "Class TPersistent not found"},
  };
  RegisterPersistentClass(TPersistent::StaticClass());
  for (const Case& c : cases) {
    delete sample_;
    sample_ = new TSample(&form_);
    try {
      ReadText(std::string(c.header) + "\n" + c.properties + "\nend\n", *sample_);
      ADD_FAILURE() << c.properties << ": no failure";
    } catch (const Exception& e) {
      EXPECT_EQ(c.message, e.message()) << c.properties;
    }
  }
}

TEST_F(ObjectStream, AFailedReadKeepsWhatWasReadBeforeIt) {
  EXPECT_THROW(ReadText("object S: TSample\nNumber = 3\nFoo = 1\nText = 'x'\nend\n", *sample_), EReadError);
  EXPECT_EQ(3, sample_->number);
  EXPECT_EQ("", sample_->text);
}

TEST_F(ObjectStream, NestedChildrenBeyondTheDepthLimitFailCleanly) {
  // The text converter has the same limit, so the binary form is built directly.
  const struct { int children; const char* failure; } cases[] = {
      {kMaxNestingDepth - 1, "no failure"},
      {kMaxNestingDepth, "Nesting too deep"},
      {kMaxNestingDepth + 5, "Nesting too deep"},
  };
  for (const auto& c : cases) {
    TMemoryStream binary;
    {
      TWriter w(binary);
      w.writeSignature();
      w.writeStr("TSample");
      w.writeStr("S");
      w.writeListEnd();
      for (int i = 0; i < c.children; ++i) {
        w.writeStr("TSample");
        w.writeStr("");
        w.writeListEnd();
      }
      for (int i = 0; i < c.children + 1; ++i) w.writeListEnd();
    }
    binary.setPosition(0);
    delete sample_;
    sample_ = new TSample(&form_);
    std::string failure = "no failure";
    try {
      ReadRootObject(binary, *sample_);
    } catch (const EReadError& e) {
      failure = e.message();
    }
    EXPECT_EQ(c.failure, failure) << c.children << " nested children";
  }
}

TEST_F(ObjectStream, TruncatedOrForeignBinaryFormsFail) {
  std::string good = ToBinary("object S: TSample\nText = 'abc'\nend\n");
  for (size_t cut = 0; cut < good.size(); ++cut) {
    delete sample_;
    sample_ = new TSample(&form_);
    TMemoryStream binary(good.substr(0, cut));
    EXPECT_THROW(ReadRootObject(binary, *sample_), EReadError) << "cut at " << cut;
  }
  TMemoryStream foreign(std::string("TPF1") + good.substr(4));
  EXPECT_THROW_MSG(ReadRootObject(foreign, *sample_), EReadError, "Invalid stream format");
}

}  // namespace
