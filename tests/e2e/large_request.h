// Open dialog requests of an exact size, made large by a history list, for the tests of what
// the platform can carry between processes.
#pragma once

#include <string>

// A TOpenDialog request of exactly `size` bytes (at least about 200). With `editStyle` it names
// FileEditStyle, which a cancelled dialog's reply adds otherwise: its reply is then the request
// itself, byte for byte; without it the reply is kEditStyleLine longer.
inline const std::string kEditStyleLine = "  FileEditStyle = fsEdit\r\n";

// `className` and `after` (property lines that follow the list) make the request of another
// class, e.g. one whose cancelled reply is again the request itself.
inline std::string HistoryRequest(size_t size, bool editStyle, const std::string& className = "TOpenDialog",
                                  const std::string& after = std::string()) {
  const std::string head =
      "object X: " + className + "\r\n" + (editStyle ? kEditStyleLine : std::string()) + "  HistoryList.Strings = (\r\n";
  const std::string tail = ")\r\n" + after + "end\r\n";
  const std::string line = "    '" + std::string(40, 'h') + "'\r\n";  // 48 bytes
  // Whole lines, then one last item of 100 to 147 characters that makes up the size exactly.
  const size_t body = size - head.size() - tail.size();
  const size_t lines = (body - 6 - 100) / line.size();
  std::string text = head;
  text.reserve(size);
  for (size_t i = 0; i < lines; ++i) text += line;
  text += "    '" + std::string(body - lines * line.size() - 6, 'z') + "'" + tail;
  return text;
}

// A TFSL16OpenDialog request of exactly `size` bytes whose cancelled reply is the request itself.
inline std::string FslHistoryRequest(size_t size) {
  return HistoryRequest(size, false, "TFSL16OpenDialog",
                        "  TemplateName = 'fsldlg32'\r\n  UseFSL = True\r\n  FSLHelpContext = 0\r\n");
}
