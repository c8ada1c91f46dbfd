// pmMain, the main pop-up menu, and the global hot keys whose texts its short-cut column shows.
#include "app/win/MainPlayerFm.h"
#include "app/win/MenuImages.h"
#include "resources/StringIds.h"
#include "support/ui/win/Resources.h"
#include "support/win/WideText.h"

namespace nv {

void TMainPlayerFm::BuildMenu() {
  ilMenu_.AddBitmap(LoadBitmapResource(kMenuImagesResource).Get(), RGB(255, 0, 255));
  pmMain_.Images = &ilMenu_;
  const std::pair<Action*, MenuImage> images[] = {
      {aPlayPause, miPlay},       {aStop, miStop},         {aStepForward, miStepForward},
      {aStepBackward, miStepBackward}, {aNextTrack, miNextTrack}, {aPrevTrack, miPreviousTrack},
      {aMyMedia, miMyMedia},      {aOpen, miOpen},         {aVolumeUp, miVolumeUp},
      {aVolumeDown, miVolumeDown}, {aMute, miMute},        {aShuffle, miShuffle},
      {aRepeat, miRepeat},        {aFileProperties, miProperties}, {aPreferences, miOptions},
      {aClose, miClose},
  };
  for (const auto& [action, image] : images) action->SetImageIndex(image);

  MenuItem& items = pmMain_.Items();
  items.Add(*aPlayPause);
  items.Add(*aStop);
  items.AddSeparator();
  items.Add(*aStepForward);
  items.Add(*aStepBackward);
  items.AddSeparator();
  items.Add(*aNextTrack);
  items.Add(*aPrevTrack);
  items.AddSeparator();
  items.Add(*aMyMedia);
  items.Add(*aOpen);
  items.AddSeparator();
  MenuItem& volume = items.Add(ToUtf16(ResourceString(IDS_MENU_VOLUME)));
  volume.SetImageIndex(miVolume);
  volume.Add(*aVolumeUp);
  volume.Add(*aVolumeDown);
  volume.Add(*aMute);
  items.AddSeparator();
  items.Add(*aShuffle);
  items.Add(*aRepeat);
  items.AddSeparator();
  items.Add(*aFileProperties);
  items.AddSeparator();
  items.Add(*aPreferences);
  MenuItem& help = items.Add(ToUtf16(ResourceString(IDS_MENU_HELP)));
  help.SetImageIndex(miHelp);
  help.Add(*aFAQ);
  help.Add(*aHelp);
  help.AddSeparator();
  help.Add(*aHomePage);
  help.Add(*aAbout);
  items.AddSeparator();
  items.Add(*aWorkOffline);
  items.Add(*aClose);

  // The short-cut column shows the hot key whose identifier is the item's Tag, as the table stands when the menu
  // opens. (The system draws the column: the extra 5 pixels an own drawing would measure are not added.)
  pmMain_.ShortCuts = [this](const MenuItem& item) { return HotKeyTextForTag(item.Tag()); };
}

std::u16string TMainPlayerFm::HotKeyTextForTag(int tag) const {
  if (tag == 0) return {};
  for (const THotKey& key : preferences_.hotKeys)
    if (key.id == tag)
      return HotKeyText({key.virtualKey, static_cast<std::uint8_t>(key.modifiers & 0xFF)});
  return {};
}

void TMainPlayerFm::RegisterHotKeys() {
  UnregisterHotKeys();
  for (const THotKey& key : preferences_.hotKeys) {
    auto registration = std::make_unique<HotKeyRegistration>(
        Handle(), key.id, ShortCut{key.virtualKey, static_cast<std::uint8_t>(key.modifiers & 0xFF)});
    if (registration->Registered()) hotKeys_.push_back(std::move(registration));
  }
}

void TMainPlayerFm::UnregisterHotKeys() { hotKeys_.clear(); }

std::size_t TMainPlayerFm::RegisteredHotKeys() const { return hotKeys_.size(); }

}  // namespace nv
