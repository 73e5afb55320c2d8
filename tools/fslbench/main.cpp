// Times the association lookup as the FSL open dialog runs it on a selection change: sections
// of 10, 100 and 1000 entries whose keys are the short paths of real data files, the selected
// file's entry near the end of the section. Prints the median of several runs of the whole
// lookup and of the pairs list it builds, read once per section and key by key.
//   fslbench [RUNS]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fsl/fsl_lookup.h"
#include "fsl/fsl_platform_win.h"
#include "fsl/ini_file.h"
#include "platform/win32.h"

namespace {

std::string ShortName(const std::string& path) {
  char buffer[MAX_PATH];
  DWORD n = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

bool WriteText(const std::string& path, const std::string& text) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  std::fwrite(text.data(), 1, text.size(), f);
  return std::fclose(f) == 0;
}

// The pairs list as the section-once read builds it, read the simple way instead: one profile
// read per key. The measure of what reading the section once saves.
void ReadPairsByKey(TIniFile& ini, FslPlatform& platform, const std::string& section, TStrings& list) {
  TStringList keys;
  ini.ReadIniKeys(section, keys);
  std::vector<std::string> lines = list.lines();
  for (const std::string& key : keys.lines()) {
    std::string value = ini.ReadIniString(section, key, std::string());
    int index = IndexOfName(platform, lines, key);
    if (!value.empty()) {
      std::string line = key + "=" + value;
      if (index < 0) lines.push_back(std::move(line));
      else lines[index] = std::move(line);
    } else if (index >= 0) {
      lines.erase(lines.begin() + index);
    }
  }
  list.setLines(std::move(lines));
}

// The median time of `runs` calls of `f` in milliseconds, after one call that warms the
// profile functions' cache.
template <typename F>
double MedianMs(int runs, F f) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  f();
  std::vector<double> times;
  for (int r = 0; r < runs; ++r) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    f();
    QueryPerformanceCounter(&end);
    times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string dir = std::string(temp) + "Fsl bench " + std::to_string(GetCurrentProcessId());
  const std::string fslDir = dir + "\\Final storage labels";
  if (!CreateDirectoryA(dir.c_str(), nullptr) || !CreateDirectoryA(fslDir.c_str(), nullptr)) {
    std::fprintf(stderr, "fslbench: cannot create %s\n", dir.c_str());
    return 1;
  }
  const std::string fslFile = fslDir + "\\Label of the measurement runs.fsl";
  WriteText(fslFile, "x");
  const std::string fslValue = ShortName(fslFile);

  // The data files, with long names, and their short paths as keys.
  const int kSizes[] = {10, 100, 1000};
  std::vector<std::string> dataFiles, keys;
  for (int i = 0; i < 1000; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "\\Measurement run %04d.dat", i);
    dataFiles.push_back(dir + name);
    WriteText(dataFiles.back(), "x");
    keys.push_back(ShortName(dataFiles.back()));
  }

  std::printf("median of %d runs, ms\n", runs);
  std::printf("%8s %10s %14s %14s  %s\n", "entries", "lookup", "pairs at once", "pairs by key",
              "FSL file");
  FslPlatform& platform = WindowsFslPlatform();
  int status = 0;
  for (int size : kSizes) {
    std::string body = "[FSLAssociations]\r\n";
    for (int i = 0; i < size; ++i) body += keys[i] + "=" + fslValue + "\r\n";
    const std::string ini = dir + "\\assoc" + std::to_string(size) + ".ini";
    WriteText(ini, body);
    const int selected = size - 2;  // near the end of the section
    // Key names past the first 8192 bytes are not seen: such a key falls back to the .fsl file
    // beside the data file, and there is none.
    size_t namesBytes = 1;
    for (int i = 0; i <= selected; ++i) namesBytes += keys[i].size() + 1;
    const std::string expected = namesBytes <= TIniFile::kKeyNamesBufferSize ? fslFile : "";

    FslChoice choice{};
    double lookup = MedianMs(runs, [&] {
      choice = LookupFSLFile(platform, ini, "FSLAssociations", dataFiles[selected]);
    });
    TIniFile reader(ini, platform);
    double once = MedianMs(runs, [&] {
      TStringList pairs;
      reader.ReadIniPairs("FSLAssociations", pairs);
    });
    double byKey = MedianMs(runs, [&] {
      TStringList pairs;
      ReadPairsByKey(reader, platform, "FSLAssociations", pairs);
    });
    std::printf("%8d %10.3f %14.3f %14.3f  %s\n", size, lookup, once, byKey,
                expected.empty() ? "(key past the key-name limit: none beside)" : "expanded");
    if (choice.fslFile != expected || !choice.useFsl) {
      std::fprintf(stderr, "fslbench: got \"%s\", expected \"%s\"\n", choice.fslFile.c_str(),
                   expected.c_str());
      status = 1;
    }
    DeleteFileA(ini.c_str());
  }

  for (const std::string& f : dataFiles) DeleteFileA(f.c_str());
  DeleteFileA(fslFile.c_str());
  RemoveDirectoryA(fslDir.c_str());
  RemoveDirectoryA(dir.c_str());
  return status;
}
