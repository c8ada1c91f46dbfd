#pragma once
// The start-up check of the default skin, until the skin package reader exists: a file with the program's name
// and the extension ".nvs" must stand beside the program. (The skin reader will also accept a package appended
// to the program file.)
namespace nv {

bool DefaultSkinExists();

}  // namespace nv
