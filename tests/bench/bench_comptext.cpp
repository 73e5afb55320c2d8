// Component text converters and the request-to-reply round trip, on a typical open dialog
// request of a few hundred bytes and on requests with a history list of 10,000 and 100,000
// lines (the two large sizes show whether the cost grows linearly). Each figure is the time
// per request (microseconds) and the input bytes per second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "base/errors.h"
#include "base/stream.h"
#include "dialogs/roundtrip.h"
#include "streaming/convert.h"

namespace {

std::string Request(int historyLines) {
  std::string text =
      "object OpenDialog: TOpenDialog\r\n"
      "  DefaultExt = 'txt'\r\n"
      "  FileName = 'C:\\Users\\Public\\Documents\\report.txt'\r\n"
      "  Filter = 'Text files (*.txt)|*.txt|All files (*.*)|*.*'\r\n"
      "  HistoryList.Strings = (\r\n";
  char line[96];
  for (int i = 0; i < historyLines; ++i) {
    std::snprintf(line, sizeof line, "    'C:\\Users\\Public\\Documents\\file%06d.txt'", i);
    text += line;
    text += i + 1 < historyLines ? "\r\n" : ")\r\n";
  }
  text +=
      "  InitialDir = 'C:\\Users\\Public\\Documents'\r\n"
      "  Options = [ofHideReadOnly, ofPathMustExist, ofFileMustExist]\r\n"
      "  Title = 'Open a report'\r\n"
      "end\r\n";
  return text;
}

enum Size { kTypical, kHistory10k, kHistory100k };

const std::string& Text(int size) {
  static const std::string texts[] = {Request(3), Request(10000), Request(100000)};
  return texts[size];
}

void Label(benchmark::State& state, size_t inputBytes) {
  static const char* const names[] = {"typical", "history 10k lines", "history 100k lines"};
  state.SetLabel(std::string(names[state.range(0)]) + ", " + std::to_string(inputBytes) +
                 " bytes");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(inputBytes));
}

void BM_TextToBinary(benchmark::State& state) {
  const std::string& text = Text(static_cast<int>(state.range(0)));
  try {
    for (auto _ : state) {
      TMemoryStream in(text), out;
      ConvertTextToBinary(in, out);
      benchmark::DoNotOptimize(out.data());
    }
  } catch (const Exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  Label(state, text.size());
}

void BM_BinaryToText(benchmark::State& state) {
  std::string binary;
  try {
    TMemoryStream in(Text(static_cast<int>(state.range(0)))), out;
    ConvertTextToBinary(in, out);
    binary = out.str();
    for (auto _ : state) {
      TMemoryStream bin(binary), text;
      ConvertBinaryToText(bin, text);
      benchmark::DoNotOptimize(text.data());
    }
  } catch (const Exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  Label(state, binary.size());
}

void BM_RoundTripRequest(benchmark::State& state) {
  const std::string& text = Text(static_cast<int>(state.range(0)));
  try {
    for (auto _ : state) benchmark::DoNotOptimize(RoundTripRequest("TOpenDialog", text));
  } catch (const Exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  Label(state, text.size());
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Arg(kTypical)->Arg(kHistory10k)->Arg(kHistory100k)->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK(BM_TextToBinary)->Apply(Sizes);
BENCHMARK(BM_BinaryToText)->Apply(Sizes);
BENCHMARK(BM_RoundTripRequest)->Apply(Sizes);

BENCHMARK_MAIN();
