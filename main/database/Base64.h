#pragma once

#include <string>
#include <string_view>

// Base64 with the standard alphabet and "=" padding.
std::string EncodeBase64(std::string_view bytes);

// Strict: the length must be a multiple of four, padding only at the end, nothing outside the
// alphabet. Returns false (and leaves the output alone) otherwise.
bool DecodeBase64(std::string_view text, std::string& bytes);

// The rating protocol carries Base64 in form bodies without URL encoding, so each "=" travels as "~".
std::string EncodeRatingProp(std::string_view bytes);
bool DecodeRatingProp(std::string_view text, std::string& bytes);
