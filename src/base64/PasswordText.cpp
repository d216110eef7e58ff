#include "base64/PasswordText.h"

#include <algorithm>

#include "base64/CBase64Utils.h"

Text EncodePasswordForSettings(const Text& password) {
    CBase64Utils codec;
    const auto encoded = codec.Encode(password.data(), static_cast<std::int32_t>(password.size()));
    Text stored(encoded.get());
    std::erase_if(stored, [](char c) { return c == '\r' || c == '\n'; });
    return stored;
}

Text DecodePasswordFromSettings(const Text& stored) {
    CBase64Utils codec;
    auto length = static_cast<std::int32_t>(stored.size());
    const auto decoded = codec.Decode(stored.data(), length);
    return Text(decoded.get()); // up to the first zero byte
}
