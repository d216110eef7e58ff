#include "platform/TextFile.h"

#include <string>

namespace platform {

std::unique_ptr<TextFile> TextFile::open(const Text& path, Mode mode) {
    const char* flags = mode == Mode::Read ? "rbe" : mode == Mode::Truncate ? "wbe" : "abe";
    std::FILE* file = std::fopen(toUtf8(path).c_str(), flags);
    if (!file) {
        return nullptr;
    }
    return std::unique_ptr<TextFile>(new TextFile(file));
}

TextFile::~TextFile() {
    close();
}

bool TextFile::write(std::string_view text) {
    if (!file_) {
        return false;
    }
    std::string raw;
    raw.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') {
            raw += '\r';
        }
        raw += c;
    }
    return std::fwrite(raw.data(), 1, raw.size(), file_) == raw.size();
}

std::size_t TextFile::read(char* buffer, std::size_t size) {
    if (!file_) {
        return 0;
    }
    std::size_t delivered = 0;
    while (delivered < size) {
        const int c = std::getc(file_);
        if (c == EOF) {
            break;
        }
        if (c == '\r') {
            // CR LF becomes one line feed; a CR before anything else stays as it is.
            const int next = std::getc(file_);
            if (next == '\n') {
                buffer[delivered++] = '\n';
                continue;
            }
            if (next != EOF) {
                std::ungetc(next, file_);
            }
        }
        buffer[delivered++] = static_cast<char>(c);
    }
    return delivered;
}

bool TextFile::seek(std::int64_t offset, Origin origin) {
    const int whence = origin == Origin::Begin ? SEEK_SET
                       : origin == Origin::End ? SEEK_END
                                               : SEEK_CUR;
    return file_ && ::fseeko(file_, static_cast<off_t>(offset), whence) == 0;
}

std::int64_t TextFile::tell() {
    return file_ ? static_cast<std::int64_t>(::ftello(file_)) : -1;
}

bool TextFile::close() {
    if (!file_) {
        return true;
    }
    const bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
}

} // namespace platform
