#pragma once
// The check that a component the product profile names is installed, offering its download page when it is not.
// Each component is looked at once per run: a second check of the same name passes at once.
#include <string>
#include <string_view>
#include <vector>

#include "support/IniDocument.h"

namespace nv {

// What the check needs of the system.
class RequiredComponentHost {
public:
  virtual ~RequiredComponentHost() = default;
  virtual IniDocument OpenProfile() = 0;
  // True when an instance of the class can be created (in-process server or handler).
  virtual bool CanCreate(std::string_view classId) = 0;
  // Shows `message` as an information with Yes and No when a download page exists, else OK alone; the answer may
  // have been silenced under the store's "Questions" section with `question` as its key. Returns the answer.
  virtual int Ask(std::string_view message, bool offerDownload, std::string_view question) = 0;
  virtual void OpenUrl(std::string_view url) = 0;
};

class RequiredComponentCheck {
public:
  // True when the component is usable, needs nothing, or was already looked at in this run.
  bool Check(std::string_view name, RequiredComponentHost& host);
  // Checks the component the profile's "Friendly file types" names for the extension (with its dot), if any.
  bool CheckFriendlyType(std::string_view extension, RequiredComponentHost& host);

private:
  std::vector<std::string> lookedAt_;
};

// The key under "Questions" that silences the download question of a component.
std::string DownloadQuestion(std::string_view componentName);

// Closing the download question without a button silences it, when its box was cleared.
inline constexpr int kDownloadQuestionRememberedAnswer = 2;

}  // namespace nv
