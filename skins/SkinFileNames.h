#pragma once
// The names skins are known by: the package extension and the two texts a skin may carry.
namespace nv {

inline constexpr char kSkinPackageExtension[] = ".nvs";
inline constexpr char kNoticeFileName[] = "copyright.txt";
inline constexpr char kReadmeFileName[] = "readme.txt";

}  // namespace nv
