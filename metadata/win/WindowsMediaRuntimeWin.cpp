// The Windows Media Format runtime, bound at run time: "WMVCORE.DLL" is loaded on first use and kept until the
// program ends. Of its entry points only WMCreateEditor is called; the others are looked up because a runtime that
// lacks any of them (except WMCreateCertificate, which some versions leave out) is not one to trust.
#include <windows.h>
#include <wmsdk.h>
#include <wrl/client.h>

#include "metadata/WindowsMediaRuntime.h"
#include "metadata/win/WMHeaderInfo.h"
#include "metadata/win/WindowsMediaRuntimeWin.h"
#include "support/win/WideText.h"

namespace nv {

namespace {

constexpr const char* kRequiredEntryPoints[] = {
    "WMCheckURLExtension", "WMCheckURLScheme",     "WMValidateData",          "WMIsAvailableOffline",
    "WMIsContentProtected", "WMCreateWriter",      "WMCreateReader",          "WMCreateSyncReader",
    "WMCreateEditor",      "WMCreateIndexer",      "WMCreateBackupRestorer",  "WMCreateProfileManager",
    "WMCreateWriterFileSink", "WMCreateWriterNetworkSink", "WMCreateWriterPushSink",
};
constexpr const char* kOptionalEntryPoint = "WMCreateCertificate";

using CreateEditorFunction = HRESULT(WINAPI*)(IWMMetadataEditor**);

CreateEditorFunction BindRuntime() {
  HMODULE library = LoadLibraryW(L"WMVCORE.DLL");
  if (!library) return nullptr;
  for (const char* name : kRequiredEntryPoints) {
    if (!GetProcAddress(library, name)) {
      FreeLibrary(library);
      return nullptr;
    }
  }
  GetProcAddress(library, kOptionalEntryPoint);
  // FARPROC stands for any entry point; the detour through void(*)() says the cast is meant.
  return reinterpret_cast<CreateEditorFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(library, "WMCreateEditor")));
}

CreateEditorFunction CreateEditorEntry() {
  static const CreateEditorFunction entry = BindRuntime();  // thread-safe, once
  return entry;
}

}  // namespace

bool WindowsMediaRuntimeAvailable() { return CreateEditorEntry() != nullptr; }

HRESULT CreateMetadataEditor(IWMMetadataEditor** editor) {
  *editor = nullptr;
  const CreateEditorFunction create = CreateEditorEntry();
  return create ? create(editor) : HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
}

namespace platform {

bool ReadWindowsMediaFile(std::string_view path, std::vector<WMAttribute>& attributes) {
  attributes.clear();
  Microsoft::WRL::ComPtr<IWMMetadataEditor> editor;
  if (FAILED(CreateMetadataEditor(&editor)) || !editor) return false;
  if (FAILED(editor->Open(MarkedToWide(path).c_str()))) return false;
  Microsoft::WRL::ComPtr<IWMHeaderInfo> header;
  const bool read = SUCCEEDED(editor.As(&header)) && ReadHeaderInfo(header.Get(), attributes);
  editor->Close();
  return read;
}

}  // namespace platform
}  // namespace nv
