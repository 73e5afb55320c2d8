// The association lookup: which FSL file goes with a data file, and whether the data file is
// to be used with one, read from one section of an INI file. An entry's key is the data file's
// full short (8.3) path, its value the FSL file's path (short or long); an empty value records
// that the data file has no FSL file.
//   [FSLAssociations]
//   C:\DATA\RUN1~1.DAT=C:\FSL~1\RUN1.FSL     -> C:\Fsl files\Run1.fsl, use
//   C:\DATA\BLANK.DAT=                       -> no FSL file, do not use
//   (no entry for C:\Data\Run3.dat)          -> C:\Data\Run3.fsl if it exists, else none; use
#pragma once

#include <string>

#include "fsl/fsl_platform.h"

struct FslChoice {
  std::string fslFile;
  bool useFsl;
};

// The FSL file for `dataFile` and the use-FSL flag, from `section` of `iniFile`. A missing file,
// section or entry falls back to the ".fsl" file beside the data file. Throws nothing of its own.
FslChoice LookupFSLFile(FslPlatform& platform, const std::string& iniFile,
                        const std::string& section, const std::string& dataFile);
// True when a find-first query on `name` (wildcards allowed) finds an entry that is not a
// directory and whose last-write time has a DOS date and time.
bool IsExistingFile(FslPlatform& platform, const std::string& name);
// `path` with each component in its long form; components that do not exist stay as written.
// "C:" (or "\\server\share") is kept as it is; a relative path, and a drive-relative one such as
// "C:X.FSL", comes back unchanged.
std::string ExpandLongPath(FslPlatform& platform, const std::string& path);
// The long name of the last component of `path` as the file system stores it; the text after
// the last "\" when nothing is found.
std::string LongComponentName(FslPlatform& platform, const std::string& path);
