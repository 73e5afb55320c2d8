#include "commdlg/modern_file_dialog_win.h"

#include <shobjidl.h>

#include <string>
#include <vector>

#include "commdlg/ansi_names_win.h"
#include "commdlg/common_dialog_win.h"
#include "commdlg/file_dialog_style_win.h"
#include "commdlg/modern_com_win.h"
#include "commdlg/modern_fsl_row_layout_win.h"
#include "commdlg/modern_fsl_row_win.h"
#include "commdlg/start_folder_win.h"
#include "dialogs/file_names.h"
#include "dialogs/fsl_open_dialog.h"
#include "dialogs/modern_file_dialog.h"

static_assert(fos::kOverwritePrompt == FOS_OVERWRITEPROMPT && fos::kNoChangeDir == FOS_NOCHANGEDIR &&
                  fos::kForceFileSystem == FOS_FORCEFILESYSTEM && fos::kNoValidate == FOS_NOVALIDATE &&
                  fos::kAllowMultiSelect == FOS_ALLOWMULTISELECT && fos::kPathMustExist == FOS_PATHMUSTEXIST &&
                  fos::kFileMustExist == FOS_FILEMUSTEXIST && fos::kCreatePrompt == FOS_CREATEPROMPT &&
                  fos::kShareAware == FOS_SHAREAWARE && fos::kNoReadOnlyReturn == FOS_NOREADONLYRETURN &&
                  fos::kNoTestFileCreate == FOS_NOTESTFILECREATE &&
                  fos::kNoDereferenceLinks == FOS_NODEREFERENCELINKS,
              "flag constants match the platform's");

namespace {
// The platform appends the default extension to a typed name that has one of its own ("c.dat"
// becomes "c.dat.txt", a file the user did not name); the classic dialog appends it only to a
// name without one, and the replies follow it. `path` without that second extension, or as it
// is.
std::wstring WithoutExtensionAddedToTyped(const std::wstring& path, const std::wstring& typed,
                                          const std::wstring& defaultExt) {
  const std::wstring name = typed.substr(typed.find_last_of(L"\\/") + 1);
  const size_t dot = name.find_last_of(L'.');
  if (defaultExt.empty() || dot == std::wstring::npos || dot == 0) return path;
  const std::wstring added = name + L"." + defaultExt;
  if (path.size() <= added.size() || path[path.size() - added.size() - 1] != L'\\' ||
      _wcsicmp(path.c_str() + path.size() - added.size(), added.c_str()) != 0)
    return path;
  return path.substr(0, path.size() - defaultExt.size() - 1);
}

// The custom control of the "Open as read-only" box; the FSL row's ids follow the classic
// template's (modern_fsl_row_win.h).
constexpr DWORD kReadOnlyBoxId = 8200;
constexpr wchar_t kReadOnlyBoxText[] = L"Open as read-only";

// The dialog object with the events it raises. It lives on the stack for one run; the object
// holds it only between Advise and Unadvise, so its reference count is not what frees it.
class ModernFileDialog final : public IFileDialogEvents, public IFileDialogControlEvents {
 public:
  ModernFileDialog(TFileDialogState& state, const ModernRun& run) : state_(state), run_(run) {}
  ~ModernFileDialog() {
    if (dialog_ && cookie_) dialog_->Unadvise(cookie_);
    fslSite_.reset();
    ReleaseCom(customize_);
    ReleaseCom(dialog_);
  }
  ModernFileDialog(const ModernFileDialog&) = delete;
  ModernFileDialog& operator=(const ModernFileDialog&) = delete;

  bool create() {
    const bool save = run_.kind == FileDialogKind::Save;
    if (FAILED(Com().createInstance(save ? CLSID_FileSaveDialog : CLSID_FileOpenDialog, nullptr,
                                    CLSCTX_INPROC_SERVER, save ? IID_IFileSaveDialog : IID_IFileOpenDialog,
                                    reinterpret_cast<void**>(&dialog_))) ||
        !dialog_)
      return false;
    if (FAILED(dialog_->QueryInterface(IID_IFileDialogCustomize, reinterpret_cast<void**>(&customize_))))
      customize_ = nullptr;
    return true;
  }

  bool run() {
    configure();
    const BOOL accepted = RunTaskModalCall(state_, [&] { return SUCCEEDED(dialog_->Show(run_.owner)) ? TRUE : FALSE; });
    if (accepted) applyAnswer();
    return accepted != FALSE;
  }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_IFileDialogEvents)
      *object = static_cast<IFileDialogEvents*>(this);
    else if (iid == IID_IFileDialogControlEvents)
      *object = static_cast<IFileDialogControlEvents*>(this);
    else
      return *object = nullptr, E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }

  // IFileDialogEvents: the classic hook's notifications, in its order where the object allows.
  HRESULT STDMETHODCALLTYPE OnFolderChange(IFileDialog*) override {
    raise([&](HWND window) {
      if (!shown_) {
        // The first folder: the dialog has initialised (CDN_INITDONE).
        shown_ = true;
        if (run_.centred) CenterOnScreen(window);
        if (fslSite_) KeepFslRowOnOneLine(window);
        if (!run_.events) return;
        run_.events->FHandle = reinterpret_cast<intptr_t>(window);
        run_.events->FOnInitDone(run_.events, Handle(window), Handle(window), nullptr);
      }
      if (run_.events) run_.events->FOnFolderChange(run_.events, Handle(window), Handle(window), nullptr);
    });
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnSelectionChange(IFileDialog*) override {
    raise([&](HWND window) {
      if (run_.events) run_.events->FOnSelChange(run_.events, Handle(window), Handle(window), nullptr);
    });
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnTypeChange(IFileDialog*) override {
    // The object reports its first type as it opens; the classic dialog only the user's changes.
    raise([&](HWND window) {
      if (run_.events && IsWindowVisible(window))
        run_.events->FOnTypeChange(run_.events, Handle(window), Handle(window), nullptr);
    });
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnShareViolation(IFileDialog*, IShellItem* item,
                                             FDE_SHAREVIOLATION_RESPONSE* response) override {
    if (response) *response = FDESVR_DEFAULT;
    raise([&](HWND window) {
      if (run_.events && run_.events->FOnShareViolation)
        run_.events->FOnShareViolation(run_.events, Handle(window), Handle(window), nullptr,
                                       AnsiPath(ItemPath(item)));
    });
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnFileOk(IFileDialog*) override {
    if (FailurePending(&state_)) return S_FALSE;
    try {
      std::string answer;
      if (!usableAnswer(answer) || !usableFslField()) return S_FALSE;
      answer_ = answer;
      typedName_ = typedName();
      if (run_.events) run_.events->FOnFileOK(run_.events, Handle(window()), Handle(window()), nullptr);
    } catch (...) {
      FailDialog(window(), &state_);
      return S_FALSE;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnFolderChanging(IFileDialog*, IShellItem*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnOverwrite(IFileDialog*, IShellItem*, FDE_OVERWRITE_RESPONSE*) override {
    return S_OK;
  }

  // IFileDialogControlEvents: a custom push button is the classic dialog's WM_COMMAND.
  HRESULT STDMETHODCALLTYPE OnButtonClicked(IFileDialogCustomize*, DWORD id) override {
    raise([&](HWND window) {
      if (run_.events) run_.events->FOnCommand(run_.events, Handle(window), Handle(window), static_cast<int32_t>(id));
    });
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnItemSelected(IFileDialogCustomize*, DWORD, DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnCheckButtonToggled(IFileDialogCustomize*, DWORD, BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnControlActivating(IFileDialogCustomize*, DWORD) override { return S_OK; }

 private:
  static intptr_t Handle(HWND window) { return reinterpret_cast<intptr_t>(window); }

  HWND window() const {
    IOleWindow* ole = nullptr;
    HWND window = nullptr;
    if (SUCCEEDED(dialog_->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&ole))) && ole) {
      ole->GetWindow(&window);
      ole->Release();
    }
    return window;
  }

  // Runs an event handler the classic hook's way: nothing once a failure is pending, and a
  // failure ends the dialog instead of unwinding through the object.
  template <class Handler>
  void raise(Handler handler) {
    if (FailurePending(&state_)) return;
    try {
      handler(window());
    } catch (...) {
      FailDialog(window(), &state_);
    }
  }

  static std::string AnsiPath(const std::wstring& path) {
    const std::string usable = UsableAnsiPath(path);
    return usable.empty() ? ToAnsi(path) : usable;
  }

  void configure() {
    const TOpenOptions options = state_.FOptions;
    dialog_->SetOptions(ModernDialogFlags(options));

    filters_.clear();
    for (const auto& [name, pattern] : FilterPairs(state_.FFilter)) filters_.emplace_back(FromAnsi(name), FromAnsi(pattern));
    if (!filters_.empty()) {
      std::vector<COMDLG_FILTERSPEC> specs;
      for (const auto& [name, pattern] : filters_) specs.push_back({name.c_str(), pattern.c_str()});
      dialog_->SetFileTypes(static_cast<UINT>(specs.size()), specs.data());
      // An index past the last filter leaves the first, as the classic dialog does.
      if (state_.FFilterIndex > 0 && static_cast<size_t>(state_.FFilterIndex) <= filters_.size())
        dialog_->SetFileTypeIndex(static_cast<UINT>(state_.FFilterIndex));
    }
    // An empty Title too, as the classic dialog is given it: the caption is the platform's choice
    // for an empty text in both styles.
    dialog_->SetTitle(FromAnsi(state_.FTitle).c_str());
    if (!state_.FDefaultExt.empty()) dialog_->SetDefaultExtension(FromAnsi(DefaultExtText(state_.FDefaultExt)).c_str());

    // As the classic dialog: the file name's folder, else the initial one (a relative one taken
    // from the current folder), else where the classic dialog opens without one.
    const std::string start = StartFolder(state_.FFileName, state_.FInitialDir);
    std::wstring folder = start.empty() ? ClassicStartFolder(state_.FFilter) : std::wstring();
    char full[MAX_PATH] = {};
    const DWORD length = start.empty() ? 0 : GetFullPathNameA(start.c_str(), MAX_PATH, full, nullptr);
    if (length > 0 && length < MAX_PATH) folder = FromAnsi(full);
    IShellItem* item = nullptr;
    if (!folder.empty() &&
        SUCCEEDED(Com().itemFromPath(folder.c_str(), nullptr, IID_IShellItem, reinterpret_cast<void**>(&item)))) {
      dialog_->SetFolder(item);
      item->Release();
    }
    const std::string name = state_.FFileName.substr(state_.FFileName.find_last_of('\\') + 1);
    if (!name.empty()) dialog_->SetFileName(FromAnsi(name).c_str());

    if (customize_) {
      const bool fsl = dynamic_cast<TFSL16OpenDialog*>(run_.events) != nullptr;
      readOnlyBox_ = !(options & SetOf(ofHideReadOnly));
      if (readOnlyBox_) customize_->AddCheckButton(kReadOnlyBoxId, kReadOnlyBoxText, (options & SetOf(ofReadOnly)) != 0);
      if (fsl) {
        AddFslRow(*customize_);
        fslSite_.emplace(*dialog_, *customize_);
      }
    }
    dialog_->Advise(static_cast<IFileDialogEvents*>(this), &cookie_);
  }

  // The chosen paths in Unicode: every item of an open dialog, the one of a save dialog.
  std::vector<std::wstring> resultPaths() {
    std::vector<std::wstring> paths;
    IFileOpenDialog* open = nullptr;
    IShellItemArray* items = nullptr;
    if (run_.kind == FileDialogKind::Open &&
        SUCCEEDED(dialog_->QueryInterface(IID_IFileOpenDialog, reinterpret_cast<void**>(&open))) &&
        SUCCEEDED(open->GetResults(&items)) && items) {
      DWORD count = 0;
      items->GetCount(&count);
      for (DWORD i = 0; i < count; ++i) {
        IShellItem* item = nullptr;
        if (SUCCEEDED(items->GetItemAt(i, &item))) paths.push_back(ItemPath(item));
        ReleaseCom(item);
      }
    } else {
      IShellItem* item = nullptr;
      if (SUCCEEDED(dialog_->GetResult(&item))) paths.push_back(ItemPath(item));
      ReleaseCom(item);
    }
    ReleaseCom(items);
    ReleaseCom(open);
    return paths;
  }

  // The answer in the code page, every name one that opens the chosen file; false after telling
  // the user when a name has no such form (the dialog stays open).
  bool usableAnswer(std::string& answer) {
    std::vector<std::string> paths;
    std::vector<std::wstring> chosen = resultPaths();
    if (chosen.size() == 1 && !state_.FDefaultExt.empty()) {
      LPWSTR typed = nullptr;
      const std::wstring typedText = SUCCEEDED(dialog_->GetFileName(&typed)) ? TakeComText(typed) : std::wstring();
      const std::wstring named =
          WithoutExtensionAddedToTyped(chosen.front(), typedText, FromAnsi(DefaultExtText(state_.FDefaultExt)));
      // The platform asked about overwriting the name it made, not this one.
      if (named != chosen.front() && !confirmOverwrite(named)) return false;
      chosen.front() = named;
    }
    for (const std::wstring& path : chosen) {
      std::string usable = UsableAnsiPath(path);
      if (usable.empty()) {
        TellNameUnusable(window(), path);
        return false;
      }
      paths.push_back(std::move(usable));
    }
    answer = ExplorerAnswer(paths);
    chosenFolder_ = chosen.empty() ? std::wstring() : chosen.front().substr(0, chosen.front().find_last_of(L'\\'));
    if (chosenFolder_.size() == 2 && chosenFolder_[1] == L':') chosenFolder_ += L'\\';  // a drive's root
    return true;
  }

  // The classic dialog's question before an existing file is replaced; true to go on.
  bool confirmOverwrite(const std::wstring& path) {
    if (!(state_.FOptions & SetOf(ofOverwritePrompt)) || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
      return true;
    const std::wstring text = path.substr(path.find_last_of(L'\\') + 1) + L" already exists.\nDo you want to replace it?";
    return MessageBoxW(window(), text.c_str(), WindowTextW(window()).c_str(), MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
  }

  // The file name box's text as the user left it.
  std::string typedName() {
    LPWSTR name = nullptr;
    return SUCCEEDED(dialog_->GetFileName(&name)) ? ToAnsi(TakeComText(name)) : std::string();
  }

  // A path typed into the FSL field is made usable the same way, or the OK refused.
  bool usableFslField() {
    if (!fslSite_) return true;
    return MendTypedFslPath(*customize_, window());
  }

  void applyAnswer() {
    uint32_t flags = 0;
    BOOL checked = FALSE;
    const bool readOnly = readOnlyBox_ ? SUCCEEDED(customize_->GetCheckButtonState(kReadOnlyBoxId, &checked)) && checked
                                       : (state_.FOptions & SetOf(ofReadOnly)) != 0;
    if (readOnly) flags |= ofn::kReadOnly;
    if (ExtensionDiffers(typedName_, CollectFileNames(answer_.data(), answer_.size(), '\0').front(),
                         DefaultExtText(state_.FDefaultExt)))
      flags |= ofn::kExtensionDifferent;
    UINT index = 0;
    if (!filters_.empty()) dialog_->GetFileTypeIndex(&index);
    ApplyFileDialogAnswer(state_, answer_.data(), answer_.size(), '\0', flags, static_cast<int32_t>(index));
    // The classic dialog records the chosen folder, and makes it current unless asked not to.
    if (!chosenFolder_.empty()) RememberLastFolder(chosenFolder_);
    if (!(state_.FOptions & SetOf(ofNoChangeDir)) && !state_.FFiles.lines().empty()) {
      const std::string& path = state_.FFiles.lines().front();
      SetCurrentDirectoryA(FolderOf(path).c_str());
    }
  }

  TFileDialogState& state_;
  ModernRun run_;
  IFileDialog* dialog_ = nullptr;
  IFileDialogCustomize* customize_ = nullptr;
  DWORD cookie_ = 0;
  ULONG references_ = 1;
  bool shown_ = false;
  bool readOnlyBox_ = false;
  std::vector<std::pair<std::wstring, std::wstring>> filters_;
  std::string answer_;
  std::string typedName_;
  std::wstring chosenFolder_;
  std::optional<ModernFslSite> fslSite_;
};

// The thread's COM apartment for the run; left as it was found.
class Apartment {
 public:
  Apartment() : entered_(SUCCEEDED(Com().initialize(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~Apartment() {
    if (entered_) Com().uninitialize();
  }

 private:
  bool entered_;
};
}  // namespace

std::optional<bool> RunModernFileDialog(TFileDialogState& dialog, const ModernRun& run) {
  if (!ModernFileDialogChosen() || ClassicOnlyOption(dialog.FOptions, run.oldStyle) >= 0) return std::nullopt;
  if (!Com().complete()) return std::nullopt;
  Apartment apartment;
  dialog.FFiles.clear();
  ModernFileDialog modern(dialog, run);
  if (!modern.create()) return std::nullopt;
  return modern.run();
}
