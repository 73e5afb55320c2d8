// The print dialogs' platform records computed without the platform: flags, the answer, the
// device names block, the printer list entries and the profile's default printer.
#include "dialogs/printer_records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(PrintDialogFlagsTest, RangeOptionsAndStatesGiveTheFlags) {
  constexpr uint32_t kHooks = pd::kEnablePrintHook | pd::kEnableSetupHook;
  constexpr uint32_t kNoOptions = pd::kHidePrintToFile | pd::kNoPageNums | pd::kNoSelection | pd::kNoWarning;
  const struct { const char* label; TPrintRange range; TPrintDialogOptions options; bool collate, toFile; uint32_t flags; } kCases[] = {
      {"defaults", prAllPages, 0, false, false, kHooks | kNoOptions},
      {"page numbers without poPageNums keep both flags", prPageNums, 0, false, false, kHooks | kNoOptions | pd::kPageNums},
      {"selection allowed", prSelection, static_cast<TPrintDialogOptions>(SetOf(poSelection)), false, false,
       kHooks | pd::kSelection | pd::kHidePrintToFile | pd::kNoPageNums | pd::kNoWarning},
      {"every option", prAllPages,
       static_cast<TPrintDialogOptions>(SetOf(poPrintToFile) | SetOf(poPageNums) | SetOf(poSelection) | SetOf(poWarning) |
                                        SetOf(poHelp) | SetOf(poDisablePrintToFile)),
       true, true, kHooks | pd::kCollate | pd::kPrintToFile | pd::kShowHelp | pd::kDisablePrintToFile},
  };
  for (const auto& c : kCases) {
    TPrintDialog dialog(nullptr);
    dialog.FPrintRange = c.range;
    dialog.FOptions = c.options;
    dialog.FCollate = c.collate;
    dialog.FPrintToFile = c.toFile;
    EXPECT_EQ(c.flags, PrintDialogFlags(dialog)) << c.label;
  }
  EXPECT_EQ(0x2040u, kPrinterSetupFlags);
}

TEST(PrintDialogFlagsTest, PageNumbersKeepTheirLow16Bits) {
  const struct { int32_t page; uint16_t passed; } kCases[] = {{0, 0}, {65535, 65535}, {70000, 4464}, {-1, 65535}};
  for (const auto& c : kCases) EXPECT_EQ(c.passed, PageNumber(c.page)) << c.page;
}

TEST(PrintAnswerTest, FlagsDecideRangeCollateAndFile) {
  const struct { uint32_t flags; TPrintRange range; bool collate, toFile; } kCases[] = {
      {pd::kAllPages, prAllPages, false, false},
      {pd::kPageNums | pd::kCollate, prPageNums, true, false},
      {pd::kSelection | pd::kPageNums | pd::kPrintToFile, prSelection, false, true},
  };
  for (const auto& c : kCases) {
    TPrintDialog dialog(nullptr);
    dialog.FCollate = dialog.FPrintToFile = true;
    dialog.FMaxPage = 70000;
    ReadPrintAnswer(dialog, c.flags, 65535, 4464);
    EXPECT_EQ(c.range, dialog.FPrintRange) << c.flags;
    EXPECT_EQ(c.collate, dialog.FCollate) << c.flags;
    EXPECT_EQ(c.toFile, dialog.FPrintToFile) << c.flags;
    EXPECT_EQ(65535, dialog.FFromPage) << "page numbers come back unsigned";
    EXPECT_EQ(4464, dialog.FToPage);
    EXPECT_EQ(70000, dialog.FMaxPage) << "MaxPage is never written back";
  }
}

TEST(DeviceNamesTest, BlockLayoutByteForByteAndBack) {
  const PrinterNames names{"wineps.drv", "Test", "FILE:"};
  const std::string expected("\x08\x00\x13\x00\x18\x00\x00\x00wineps.drv\0Test\0FILE:\0", 30);
  const std::vector<uint8_t> block = DeviceNamesBlock(names);
  EXPECT_EQ(expected, std::string(block.begin(), block.end()));
  EXPECT_EQ(names, ReadDeviceNames(block.data(), block.size()));

  const std::vector<uint8_t> empty = DeviceNamesBlock({});
  EXPECT_EQ(std::string("\x08\x00\x09\x00\x0A\x00\x00\x00\0\0\0", 11), std::string(empty.begin(), empty.end()));
}

TEST(DeviceNamesTest, ReadingStaysInsideTheBlock) {
  std::vector<uint8_t> block = DeviceNamesBlock({"drv", "dev", "port"});
  const struct { const char* label; size_t size; uint8_t deviceOffset; PrinterNames names; } kCases[] = {
      {"port without its NUL", block.size() - 1, 12, {"drv", "dev", ""}},
      {"device offset past the end", block.size(), 200, {"drv", "", "port"}},
      {"shorter than the header", 7, 12, {"", "", ""}},
  };
  for (const auto& c : kCases) {
    std::vector<uint8_t> copy = block;
    copy[2] = c.deviceOffset;
    EXPECT_EQ(c.names, ReadDeviceNames(copy.data(), c.size)) << c.label;
  }
}

TEST(PrinterListTest, PortListGivesOneEntryPerPort) {
  const struct { const char* ports; std::vector<std::string> found; } kCases[] = {
      {"FILE:", {"FILE:"}},
      {"LPT1:,  FILE:", {"LPT1:", "FILE:"}},
      {"LPT1:,,  ", {"LPT1:"}},
      {"", {}},
  };
  for (const auto& c : kCases) {
    std::vector<std::string> found;
    for (const PrinterEntry& e : PortEntries("Laser", c.ports, "%s on %s")) {
      EXPECT_EQ("Laser on " + e.names.port, e.display);
      EXPECT_EQ((PrinterNames{"", "Laser", e.names.port}), e.names);
      found.push_back(e.names.port);
    }
    EXPECT_EQ(c.found, found) << c.ports;
  }
}

TEST(PrinterListTest, ProfileEntryNamesTheDefaultDevice) {
  const struct { const char* profile; const char* device; } kCases[] = {
      {"Laser,wineps.drv,FILE:", "Laser"}, {"  Laser Two ,x", "Laser Two "}, {"Laser", "Laser"}, {"", ""}, {",x", ""}};
  for (const auto& c : kCases) EXPECT_EQ(c.device, ProfileDeviceName(c.profile)) << c.profile;

  const std::vector<PrinterEntry> list = {{"a", {"", "Laser", "LPT1:"}}, {"b", {"", "Laser", "FILE:"}}, {"c", {"", "Ink", ""}}};
  const std::string file = "FILE:", none = "COM1:";
  EXPECT_EQ(0, FindPrinter(list, "Laser"));
  EXPECT_EQ(1, FindPrinter(list, "Laser", &file));
  EXPECT_EQ(-1, FindPrinter(list, "Laser", &none));
  EXPECT_EQ(-1, FindPrinter(list, "laser")) << "names compare exactly";
}

}  // namespace
