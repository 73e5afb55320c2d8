// comptext: component text <-> binary component form, and a request's round trip through a
// served dialog class without showing the dialog.
//
//   comptext to-binary [IN|-] [OUT|-]
//   comptext to-text   [IN|-] [OUT|-]
//   comptext roundtrip CLASS [IN|-] [OUT|-]
//   comptext schema [CLASS]
//
// Exit 0 with the exact bytes; 1 with "comptext: <message>" as the last line on standard error
// (nothing is written to OUT then); 2 for usage errors.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif
#ifdef DLG_PLATFORM_SCREEN
#include "platform/screen.h"
#endif

#include "base/errors.h"
#include "base/stream.h"
#include "dialogs/class_reference.h"
#include "dialogs/roundtrip.h"
#include "dlg_version.h"
#include "streaming/convert.h"

namespace {

constexpr char kUsage[] =
    "usage: comptext to-binary [IN|-] [OUT|-]\n"
    "       comptext to-text   [IN|-] [OUT|-]\n"
    "       comptext roundtrip CLASS [IN|-] [OUT|-]\n"
    "       comptext schema [CLASS]           the reference of one served class, or of all\n"
    "       comptext --version\n";

struct Failure {
  std::string message;
};

std::string ReadInput(const std::string& path) {
  std::ostringstream bytes;
  if (path == "-") {
    bytes << std::cin.rdbuf();
  } else {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw Failure{"Cannot open file \"" + path + "\""};
    bytes << file.rdbuf();
  }
  return bytes.str();
}

void WriteOutput(const std::string& path, const std::string& bytes) {
  if (path == "-") {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
    return;
  }
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file || !file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())))
    throw Failure{"Cannot create file \"" + path + "\""};
}

std::string Convert(void (*convert)(TStream&, TStream&), const std::string& input) {
  TMemoryStream in(input);
  TMemoryStream out;
  convert(in, out);
  return out.str();
}

int Run(const std::vector<std::string>& args) {
  if (args.empty()) {
    std::cerr << kUsage;
    return 2;
  }
  const std::string& command = args[0];
  if (command == "schema" && args.size() <= 2) {
    WriteOutput("-", args.size() == 2 ? ClassReference(args[1]) : ServedClassesReference());
    return 0;
  }
  size_t first = command == "roundtrip" ? 2 : 1;
  if ((command != "to-binary" && command != "to-text" && command != "roundtrip") ||
      args.size() < first || args.size() > first + 2) {
    std::cerr << kUsage;
    return 2;
  }
  std::string in = args.size() > first ? args[first] : "-";
  std::string out = args.size() > first + 1 ? args[first + 1] : "-";

  std::string input = ReadInput(in);
  std::string output;
  if (command == "to-binary")
    output = Convert(ConvertTextToBinary, input);
  else if (command == "to-text")
    output = Convert(ConvertBinaryToText, input);
  else
    output = RoundTripRequest(args[1], input);
  WriteOutput(out, output);
  return 0;
}

int Fail(const std::string& message) {
  std::fflush(stdout);
  std::cerr << "comptext: " << message << std::endl;
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
#ifdef DLG_PLATFORM_SCREEN
  InstallPlatformScreen();
#endif
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && args[0] == "--version") {
    std::printf("comptext %s\n", DLG_VERSION_TEXT);
    return 0;
  }
  try {
    return Run(args);
  } catch (const Exception& e) {
    return Fail(e.message());
  } catch (const Failure& f) {
    return Fail(f.message);
  } catch (const std::bad_alloc&) {
    return Fail("Out of memory");
  }
}
