#pragma once
// The media and playlist file types the player knows without being told, with their dot (compared ignoring case).
#include <array>
#include <string_view>

namespace nv {

inline constexpr std::array<std::u16string_view, 55> kBuiltInMediaExtensions = {
    u".pls",  u".m3u",  u".m3u8", u".cue",  u".cda",  u".asx",  u".asf", u".wm",   u".wmx",  u".wma",  u".wax",
    u".wmv",  u".wvx",  u".avi",  u".wav",  u".mpeg", u".mpg",  u".mpe", u".m1v",  u".mp2",  u".mpv2", u".mpa",
    u".mp3",  u".mid",  u".midi", u".rmi",  u".aif",  u".aifc", u".aiff", u".au",  u".and",  u".ogg",  u".aac",
    u".alac", u".als",  u".ape",  u".flac", u".m4a",  u".mac",  u".mpc", u".tta",  u".wv",   u".it",   u".mo3",
    u".mod",  u".mtm",  u".s3m",  u".umx",  u".xm",   u".ofr",  u".mkv", u".mp4",  u".m4v",  u".mp4v", u".mpv4",
};

}  // namespace nv
