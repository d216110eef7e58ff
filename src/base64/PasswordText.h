#pragma once
// Passwords as Settings.ini stores them: Base64 text on one line.
//
// The codec breaks its text after 76 characters, which a one-line settings value cannot hold,
// so the stored form leaves the line breaks out. Decoding skips CR LF anyway, so values written
// with line breaks read back the same.

#include "platform/Text.h"

// The stored form of `password` (bytes in Windows-1250): its Base64 text without line breaks.
Text EncodePasswordForSettings(const Text& password);

// The password of a stored value; as a text it ends at the first zero byte that decoding gives.
Text DecodePasswordFromSettings(const Text& stored);
