// Windows bitmap output: the 14-byte file header, the image's info header and its
// rows as stored (bottom-up, padded to four bytes).
#pragma once

#include <cstdio>
#include <string>

class CDIBImage;

bool WriteBmp(std::FILE* out, const CDIBImage& image, std::string* error);
