#include "platform/QtText.h"

#include <QByteArray>

namespace platform {

QString toQString(const Text& text) {
    return QString::fromStdString(toUtf8(text));
}

std::optional<Text> fromQString(const QString& text) {
    if (!text.isValidUtf16()) {
        return std::nullopt; // toUtf8 would turn a lone surrogate into "?"
    }
    const QByteArray utf8 = text.toUtf8();
    return fromUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

Text fromQStringLossy(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return fromUtf8Lossy(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

} // namespace platform
