// Where the editor tests write their screenshots (given on the command line),
// so that the native side can compare them with its own renders.
#pragma once

#include <string>

const std::string& pictureFolder();
void setPictureFolder(const std::string& folder);
// The folder joined with a file name.
std::string picturePath(const std::string& name);
