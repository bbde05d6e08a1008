// JPEG output through libjpeg: RGB, the library's defaults with quality 75 and a
// baseline file.
#pragma once

#include <cstdio>
#include <string>

class CDIBImage;

// libjpeg's limit for each side.
inline constexpr int kMaxJpegSide = 65500;

bool WriteJpeg(std::FILE* out, const CDIBImage& image, std::string* error);
