#include "support/ui/win/FileDialogs.h"

#include <commdlg.h>
#include <dlgs.h>
#include <shellapi.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "resources/StringIds.h"
#include "support/ui/win/ExceptionBarrier.h"
#include "support/ui/win/ModalScope.h"
#include "support/ui/win/Resources.h"
#include "support/ui/win/Window.h"

namespace nv {

namespace {

// Room for many chosen files and for paths beyond MAX_PATH.
constexpr DWORD kNameBufferChars = 1 << 16;
constexpr int kFolderBoxId = 1001;
constexpr int kUrlChoiceId = 1002;

// "A|B|C|D" as the system wants it: "A\0B\0C\0D\0\0".
std::wstring SystemFilter(const std::wstring& filter) {
  std::wstring system = filter;
  for (wchar_t& c : system)
    if (c == L'|') c = L'\0';
  system.append(2, L'\0');
  return system;
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The names the dialog gives back: one full path, or a folder followed by names when several were chosen.
std::vector<ChosenFile> ChosenFiles(const wchar_t* buffer) {
  std::vector<std::wstring> parts;
  for (const wchar_t* p = buffer; *p; p += parts.back().size() + 1) parts.emplace_back(p);
  std::vector<ChosenFile> files;
  if (parts.size() == 1) {
    files.push_back({parts[0], false});
  } else if (parts.size() > 1) {
    std::wstring folder = parts[0];
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    for (std::size_t i = 1; i < parts.size(); ++i) files.push_back({folder + parts[i], false});
  }
  return files;
}

// A child template for the dialog's hook, with the folder check box when it has a caption; the dialog places it
// below its own controls.
std::vector<WORD> ExtrasTemplate(const std::wstring& caption) {
  std::vector<WORD> t;
  auto dword = [&](DWORD v) {
    t.push_back(LOWORD(v));
    t.push_back(HIWORD(v));
  };
  auto text = [&](const std::wstring& s) {
    t.insert(t.end(), s.begin(), s.end());
    t.push_back(0);
  };
  auto align = [&] {
    if (t.size() % 2) t.push_back(0);  // DWORD alignment of each item
  };
  dword(DS_3DLOOK | DS_CONTROL | WS_CHILD | WS_CLIPSIBLINGS | DS_SETFONT);
  dword(0);
  t.push_back(caption.empty() ? 0 : 1);  // controls
  t.insert(t.end(), {0, 0, 280, static_cast<WORD>(caption.empty() ? 0 : 16)});
  t.push_back(0);  // no menu
  t.push_back(0);  // the standard class
  t.push_back(0);  // no title
  t.push_back(8);  // font size
  text(L"MS Shell Dlg");
  if (caption.empty()) return t;
  align();
  dword(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX);
  dword(0);
  t.insert(t.end(), {4, 2, 270, 12, static_cast<WORD>(kFolderBoxId)});
  t.insert(t.end(), {0xFFFF, 0x0080});  // BUTTON
  text(caption);
  t.push_back(0);  // no creation data
  return t;
}

// What both dialogs fill in alike; the buffers must outlive the dialog.
struct DialogFields {
  std::wstring filter;
  std::vector<wchar_t> names;
  OPENFILENAMEW ofn{};
};

void FillCommon(DialogFields& fields, HWND owner, const std::wstring& filter, int filterIndex,
                const std::wstring& fileName, const std::wstring& initialDir, const std::wstring& title,
                const std::wstring& defaultExt) {
  fields.filter = SystemFilter(filter);
  fields.names.assign(kNameBufferChars, L'\0');
  fileName.copy(fields.names.data(), std::min<std::size_t>(fileName.size(), fields.names.size() - 1));
  OPENFILENAMEW& ofn = fields.ofn;
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.empty() ? nullptr : fields.filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(filterIndex);
  ofn.lpstrFile = fields.names.data();
  ofn.nMaxFile = kNameBufferChars;
  ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_DONTADDTORECENT;
}

}  // namespace

std::wstring PatternExtension(std::wstring_view pattern) {
  if (pattern.size() < 3 || pattern.substr(0, 2) != L"*." || pattern.find_first_of(L";*?", 2) != std::wstring_view::npos)
    return {};
  return std::wstring(pattern.substr(2));
}

std::wstring UrlFromEnteredText(std::wstring_view text) {
  const std::size_t first = text.find_first_not_of(L" \t\r\n");
  if (first == std::wstring_view::npos) return {};
  const std::size_t last = text.find_last_not_of(L" \t\r\n");
  std::wstring url(text.substr(first, last - first + 1));
  if (url.find(L"://") == std::wstring::npos) url.insert(0, L"http://");
  return url;
}

// One run of the open dialog: the hook of its child template, the subclass of the dialog itself, the extras.
class OpenFileDialog::Session {
public:
  explicit Session(OpenFileDialog& dialog) : dialog_(dialog) {}

  static UINT_PTR CALLBACK Hook(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
      auto* session = reinterpret_cast<Session*>(reinterpret_cast<OPENFILENAMEW*>(lParam)->lCustData);
      SetWindowLongPtrW(child, DWLP_USER, reinterpret_cast<LONG_PTR>(session));
      Guarded([&] { session->Start(child); });
      return TRUE;
    }
    if (message == WM_DESTROY) {
      auto* session = reinterpret_cast<Session*>(GetWindowLongPtrW(child, DWLP_USER));
      if (session && GetDlgItem(child, kFolderBoxId))
        session->folderBoxLeft_ = IsDlgButtonChecked(child, kFolderBoxId) == BST_CHECKED;
    }
    return FALSE;
  }

  // Ended by the extras (an address, or whole folders): the dialog itself was cancelled to close it.
  bool EndedByExtras() const { return endedByExtras_; }
  // How the folder box was left, when there was one.
  std::optional<bool> FolderBoxLeft() const { return folderBoxLeft_; }

private:
  void Start(HWND child) {
    child_ = child;
    dialogWindow_ = GetParent(child);
    if (GetDlgItem(child_, kFolderBoxId))
      CheckDlgButton(child_, kFolderBoxId, dialog_.FolderChecked ? BST_CHECKED : BST_UNCHECKED);
    if (dialog_.AllowUrl) AddUrlChoice();
    subclass_ = std::make_unique<WindowSubclass>(
        dialogWindow_, [this](UINT message, WPARAM wParam, LPARAM lParam) { return DialogMessage(message, wParam); });
  }

  // The drop-down takes the place of the "File name:" label.
  void AddUrlChoice() {
    const HWND label = GetDlgItem(dialogWindow_, stc3);
    RECT place{};
    if (label) {
      GetWindowRect(label, &place);
      MapWindowPoints(nullptr, dialogWindow_, reinterpret_cast<POINT*>(&place), 2);
      ShowWindow(label, SW_HIDE);
    }
    const HWND choice = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST,
                                        place.left, place.top - 3, place.right - place.left + 8, 120, dialogWindow_,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kUrlChoiceId)),
                                        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(choice, WM_SETFONT, SendMessageW(dialogWindow_, WM_GETFONT, 0, 0), FALSE);
    SendMessageW(choice, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ResourceString(IDS_FILE_NAME_LABEL).c_str()));
    SendMessageW(choice, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ResourceString(IDS_URL_LABEL).c_str()));
    SendMessageW(choice, CB_SETCURSEL, 0, 0);
  }

  bool UrlChosen() const {
    const HWND choice = GetDlgItem(dialogWindow_, kUrlChoiceId);
    return choice && SendMessageW(choice, CB_GETCURSEL, 0, 0) == 1;
  }

  HWND NameField() const {
    const HWND combo = GetDlgItem(dialogWindow_, cmb13);
    return combo ? combo : GetDlgItem(dialogWindow_, edt1);
  }

  HWND FileList() const {
    const HWND view = FindWindowExW(dialogWindow_, nullptr, L"SHELLDLL_DefView", nullptr);
    return view ? FindWindowExW(view, nullptr, L"SysListView32", nullptr) : nullptr;
  }

  std::optional<LRESULT> DialogMessage(UINT message, WPARAM wParam) {
    if (message != WM_COMMAND) return std::nullopt;
    if (LOWORD(wParam) == kUrlChoiceId && HIWORD(wParam) == CBN_SELCHANGE) {
      UrlChoiceChanged();
      return 0;
    }
    if (LOWORD(wParam) == IDOK && (HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == 0)) {
      if (UrlChosen()) return AcceptUrl();
      if (IsDlgButtonChecked(child_, kFolderBoxId) == BST_CHECKED && AcceptFolders()) return 0;
    }
    return std::nullopt;
  }

  void UrlChoiceChanged() {
    const bool url = UrlChosen();
    if (url) {
      if (const HWND list = FileList()) {
        LVITEMW none{};
        none.stateMask = LVIS_SELECTED;
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
      }
      SetWindowTextW(NameField(), L"");
    }
    if (const HWND box = GetDlgItem(child_, kFolderBoxId)) EnableWindow(box, !url);
    if (const HWND types = GetDlgItem(dialogWindow_, cmb1)) EnableWindow(types, !url);
  }

  LRESULT AcceptUrl() {
    wchar_t text[2048] = {};
    GetWindowTextW(NameField(), text, 2048);
    const std::wstring url = UrlFromEnteredText(text);
    if (url.empty()) return 0;  // nothing entered: the dialog stays
    dialog_.Files = {{url, false}};
    dialog_.IsUrl = true;
    End();
    return 0;
  }

  // The selected items of the list as full paths; when a folder among them passes the test, they are the result.
  bool AcceptFolders() {
    if (!dialog_.FolderTest) return false;
    const std::vector<std::wstring> selected = SelectedItems();
    bool folderAccepted = false;
    std::vector<ChosenFile> chosen;
    for (const std::wstring& path : selected) {
      const bool folder = IsFolder(path);
      chosen.push_back({path, folder});
      if (folder && !folderAccepted) folderAccepted = dialog_.FolderTest(path);
    }
    if (!folderAccepted) return false;
    dialog_.Files = std::move(chosen);
    End();
    return true;
  }

  // Through the dialog's shell view: its selection as a drop (CF_HDROP) of full paths.
  std::vector<std::wstring> SelectedItems() const {
    std::vector<std::wstring> paths;
    auto* browser = reinterpret_cast<IShellBrowser*>(SendMessageW(dialogWindow_, WM_USER + 7, 0, 0));
    Microsoft::WRL::ComPtr<IShellView> view;
    Microsoft::WRL::ComPtr<IDataObject> data;
    if (!browser || FAILED(browser->QueryActiveShellView(&view)) ||
        FAILED(view->GetItemObject(SVGIO_SELECTION, IID_IDataObject, reinterpret_cast<void**>(data.GetAddressOf()))))
      return paths;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&format, &medium))) return paths;
    const auto drop = static_cast<HDROP>(medium.hGlobal);
    for (UINT i = 0, n = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0); i < n; ++i) {
      std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
      DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
      paths.push_back(std::move(path));
    }
    ReleaseStgMedium(&medium);
    return paths;
  }

  void End() {
    endedByExtras_ = true;
    PostMessageW(dialogWindow_, WM_COMMAND, IDCANCEL, 0);
  }

  OpenFileDialog& dialog_;
  HWND child_ = nullptr;
  HWND dialogWindow_ = nullptr;
  std::unique_ptr<WindowSubclass> subclass_;
  bool endedByExtras_ = false;
  std::optional<bool> folderBoxLeft_;
};

bool OpenFileDialog::Execute(HWND owner) {
  Files.clear();
  IsUrl = false;
  Session session(*this);
  std::vector<WORD> extras = ExtrasTemplate(FolderCheckBox);
  DialogFields fields;
  FillCommon(fields, owner, Filter, FilterIndex, FileName, InitialDir, Title, DefaultExt);
  OPENFILENAMEW& ofn = fields.ofn;
  ofn.hInstance = reinterpret_cast<HINSTANCE>(extras.data());
  ofn.Flags |= OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE | (MultiSelect ? OFN_ALLOWMULTISELECT : 0) |
               (FileMustExist ? OFN_FILEMUSTEXIST : 0) | (PathMustExist ? OFN_PATHMUSTEXIST : 0);
  ofn.lpfnHook = &Session::Hook;
  ofn.lCustData = reinterpret_cast<LPARAM>(&session);

  const bool chosen = RunForeignModal([&] { return GetOpenFileNameW(&ofn) != FALSE; });
  FolderChecked = session.FolderBoxLeft().value_or(FolderChecked);
  if (session.EndedByExtras()) return !Files.empty();
  if (!chosen) return false;
  Files = ChosenFiles(fields.names.data());
  FilterIndex = static_cast<int>(ofn.nFilterIndex);
  if (!Files.empty()) InitialDir = FolderOf(Files.front().path);
  return !Files.empty();
}

namespace {

// The pattern of the filter's `index`th type (from 1) in "A|*.a|B|*.b".
std::wstring FilterPattern(const std::wstring& filter, int index) {
  std::size_t at = 0;
  for (int part = 1; part < 2 * index && at != std::wstring::npos; ++part) {
    at = filter.find(L'|', at);
    if (at != std::wstring::npos) ++at;
  }
  if (at == std::wstring::npos) return {};
  return filter.substr(at, filter.find(L'|', at) - at);
}

// The hook of a save dialog whose default extension follows the chosen type: when the type changes, the dialog is
// given the type's extension.
UINT_PTR CALLBACK FollowFilterHook(HWND child, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(child, DWLP_USER, reinterpret_cast<OPENFILENAMEW*>(lParam)->lCustData);
    return TRUE;
  }
  if (message != WM_NOTIFY) return FALSE;
  const auto* notice = reinterpret_cast<const OFNOTIFYW*>(lParam);
  if (notice->hdr.code != CDN_TYPECHANGE) return FALSE;
  Guarded([&] {
    const auto* filter = reinterpret_cast<const std::wstring*>(GetWindowLongPtrW(child, DWLP_USER));
    const std::wstring extension =
        PatternExtension(FilterPattern(*filter, static_cast<int>(notice->lpOFN->nFilterIndex)));
    if (!extension.empty())
      SendMessageW(GetParent(child), CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(extension.c_str()));
  });
  return FALSE;
}

}  // namespace

bool SaveFileDialog::Execute(HWND owner) {
  DialogFields fields;
  // The type chosen at the start names the extension too.
  std::wstring defaultExt = DefaultExt;
  if (DefaultExtFollowsFilter) {
    const std::wstring chosen = PatternExtension(FilterPattern(Filter, FilterIndex));
    if (!chosen.empty()) defaultExt = chosen;
  }
  FillCommon(fields, owner, Filter, FilterIndex, FileName, InitialDir, Title, defaultExt);
  OPENFILENAMEW& ofn = fields.ofn;
  ofn.Flags |= (OverwritePrompt ? OFN_OVERWRITEPROMPT : 0) | (PathMustExist ? OFN_PATHMUSTEXIST : 0);
  if (DefaultExtFollowsFilter) {
    ofn.Flags |= OFN_ENABLEHOOK;
    ofn.lpfnHook = &FollowFilterHook;
    ofn.lCustData = reinterpret_cast<LPARAM>(&Filter);
  }
  if (!RunForeignModal([&] { return GetSaveFileNameW(&ofn) != FALSE; })) return false;
  FileName = fields.names.data();
  FilterIndex = static_cast<int>(ofn.nFilterIndex);
  InitialDir = FolderOf(FileName);
  return true;
}

}  // namespace nv
