#include "PathText.h"

#include <QDir>
#include <QStringDecoder>

namespace {
int lastSeparator(const QString& path)
{
    int at = -1;
    for (int i = 0; i < path.size(); ++i) {
        const QChar c = path.at(i);
        if (c == QLatin1Char('/') || c == QDir::separator())
            at = i;
    }
    return at;
}
} // namespace

QString WithBackslash(const QString& folder)
{
    const QChar sep = QDir::separator();
    if (folder.endsWith(sep) || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + sep;
}

QString WithoutExtension(const QString& name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

QString FileNamePart(const QString& path)
{
    return path.mid(lastSeparator(path) + 1);
}

QString FileExtension(const QString& path)
{
    const QString name = FileNamePart(path);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

bool IsValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString text = decoder(bytes);
    return !decoder.hasError();
}

QString EscapedName(const QByteArray& bytes)
{
    QString text;
    for (qsizetype at = 0; at < bytes.size();) {
        // The length a lead byte announces; each sequence is tried on its own.
        const auto lead = static_cast<unsigned char>(bytes[at]);
        const qsizetype length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const QByteArray sequence = bytes.mid(at, length);
        if (lead < 0x80 ||
            (lead >= 0xC2 && lead <= 0xF4 && sequence.size() == length && IsValidUtf8(sequence))) {
            text += QString::fromUtf8(sequence);
            at += length;
        } else {
            text += QStringLiteral("\\x") +
                    QString::number(lead, 16).toUpper().rightJustified(2, QLatin1Char('0'));
            ++at;
        }
    }
    return text;
}
