#include "IniText.h"

#include <QHash>
#include <QStringDecoder>

namespace IniText {
namespace {
// Windows-1252 bytes 0x80 to 0x9F; 0 marks the five it leaves undefined.
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t fromByte(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0 && kHigh[byte - 0x80] != 0)
        return kHigh[byte - 0x80];
    return byte; // Latin-1, which is also where the undefined five go
}

const QHash<char16_t, unsigned char>& toByte()
{
    static const QHash<char16_t, unsigned char> table = [] {
        QHash<char16_t, unsigned char> map;
        for (int byte = 0; byte < 256; ++byte)
            map.insert(fromByte(static_cast<unsigned char>(byte)),
                       static_cast<unsigned char>(byte));
        return map;
    }();
    return table;
}
} // namespace

Encoding Detect(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    return decoder.hasError() ? Encoding::Windows1252 : Encoding::Utf8;
}

QString Decode(const QByteArray& bytes, Encoding encoding)
{
    if (encoding == Encoding::Utf8)
        return QString::fromUtf8(bytes);
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes)
        text.append(QChar(fromByte(static_cast<unsigned char>(byte))));
    return text;
}

QByteArray Encode(const QString& text, Encoding encoding, bool* ok)
{
    if (ok)
        *ok = true;
    if (encoding == Encoding::Utf8)
        return text.toUtf8();
    const QHash<char16_t, unsigned char>& table = toByte();
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const auto found = table.constFind(c.unicode());
        if (found == table.constEnd()) {
            if (ok)
                *ok = false;
            bytes.append('?');
        } else {
            bytes.append(static_cast<char>(found.value()));
        }
    }
    return bytes;
}

} // namespace IniText
