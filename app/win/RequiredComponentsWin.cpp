#include "app/win/RequiredComponentsWin.h"

#include <objbase.h>
#include <shellapi.h>
#include <unknwn.h>
#include <wrl/client.h>

#include "app/QuestionAnswers.h"
#include "app/win/ProgramPaths.h"
#include "app/win/QuestionDialog.h"
#include "support/win/ApplicationRegIni.h"
#include "support/win/ProductProfileFile.h"
#include "support/win/WideText.h"

namespace nv {

WindowsRequiredComponentHost::WindowsRequiredComponentHost(HWND owner, TXRegIniFile& store, std::wstring profilePath)
    : owner_(owner), store_(store), profilePath_(std::move(profilePath)) {}

IniDocument WindowsRequiredComponentHost::OpenProfile() { return OpenProductProfile(profilePath_); }

bool WindowsRequiredComponentHost::CanCreate(std::string_view classId) {
  CLSID clsid{};
  if (FAILED(CLSIDFromString(MarkedToWide(classId).c_str(), &clsid))) return false;
  Microsoft::WRL::ComPtr<IUnknown> instance;
  return SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER, IID_IUnknown,
                                    reinterpret_cast<void**>(instance.GetAddressOf())));
}

int WindowsRequiredComponentHost::Ask(std::string_view message, bool offerDownload, std::string_view question) {
  return MessageDlgRemembered(store_, owner_, message, mtInformation, offerDownload ? mbYes | mbNo : mbOK, 0,
                              kQuestionsSection, question, false, kDownloadQuestionRememberedAnswer);
}

void WindowsRequiredComponentHost::OpenUrl(std::string_view url) {
  ShellExecuteW(nullptr, L"open", MarkedToWide(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

namespace {
RequiredComponentCheck& ProcessCheck() {
  static RequiredComponentCheck check;
  return check;
}
}  // namespace

bool CheckRequiredComponent(HWND owner, std::string_view name) {
  WindowsRequiredComponentHost host(owner, ApplicationRegIni(), ProductProfilePath());
  return ProcessCheck().Check(name, host);
}

bool CheckFriendlyFileType(HWND owner, std::string_view extension) {
  WindowsRequiredComponentHost host(owner, ApplicationRegIni(), ProductProfilePath());
  return ProcessCheck().CheckFriendlyType(extension, host);
}

}  // namespace nv
