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

const QByteArray kUtf8Mark("\xEF\xBB\xBF");
const QByteArray kUtf16LEMark("\xFF\xFE");
const QByteArray kUtf16BEMark("\xFE\xFF");

bool littleEndian(const Form& form)
{
    return form.encoding == Encoding::Utf16LE;
}

QByteArray mark(const Form& form)
{
    switch (form.encoding) {
    case Encoding::Utf16LE:
        return kUtf16LEMark;
    case Encoding::Utf16BE:
        return kUtf16BEMark;
    default:
        return form.byteOrderMark ? kUtf8Mark : QByteArray();
    }
}

// Code units are taken one by one, lone surrogates included, so that any even run of bytes
// comes back as it was.
char16_t unitAt(const QByteArray& bytes, qsizetype at, bool little)
{
    const auto low = static_cast<unsigned char>(bytes.at(little ? at : at + 1));
    const auto high = static_cast<unsigned char>(bytes.at(little ? at + 1 : at));
    return static_cast<char16_t>(high << 8 | low);
}
} // namespace

bool Detect(const QByteArray& bytes, Form* form)
{
    *form = Form();
    if (bytes.startsWith(kUtf16LEMark) || bytes.startsWith(kUtf16BEMark)) {
        form->encoding = bytes.startsWith(kUtf16LEMark) ? Encoding::Utf16LE : Encoding::Utf16BE;
        form->byteOrderMark = true;
        if (bytes.size() % 2 != 0)
            return false;
        for (qsizetype at = 2; at < bytes.size(); at += 2) {
            if (unitAt(bytes, at, littleEndian(*form)) == 0)
                return false;
        }
        return true;
    }
    if (bytes.contains('\0'))
        return false;
    form->byteOrderMark = bytes.startsWith(kUtf8Mark);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    form->encoding = decoder.hasError() ? Encoding::Windows1252 : Encoding::Utf8;
    return true;
}

QString Decode(const QByteArray& bytes, const Form& form)
{
    const QByteArray body = bytes.mid(mark(form).size());
    QString text;
    switch (form.encoding) {
    case Encoding::Utf8: {
        // A second mark is text of the file and must stay.
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        return decoder(body);
    }
    case Encoding::Utf16LE:
    case Encoding::Utf16BE:
        text.reserve(body.size() / 2);
        for (qsizetype at = 0; at + 1 < body.size(); at += 2)
            text.append(QChar(unitAt(body, at, littleEndian(form))));
        return text;
    case Encoding::Windows1252:
        break;
    }
    text.reserve(body.size());
    for (const char byte : body)
        text.append(QChar(fromByte(static_cast<unsigned char>(byte))));
    return text;
}

QByteArray Encode(const QString& text, const Form& form, bool* ok)
{
    if (ok)
        *ok = true;
    QByteArray bytes = mark(form);
    switch (form.encoding) {
    case Encoding::Utf8:
        return bytes + text.toUtf8();
    case Encoding::Utf16LE:
    case Encoding::Utf16BE:
        bytes.reserve(bytes.size() + text.size() * 2);
        for (const QChar c : text) {
            const char low = static_cast<char>(c.unicode() & 0xFF);
            const char high = static_cast<char>(c.unicode() >> 8);
            bytes.append(littleEndian(form) ? low : high);
            bytes.append(littleEndian(form) ? high : low);
        }
        return bytes;
    case Encoding::Windows1252:
        break;
    }
    const QHash<char16_t, unsigned char>& table = toByte();
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
