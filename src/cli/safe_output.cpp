#include "safe_output.h"

#include "orbsales/data/dialect.h"

namespace orbsales::cli {

namespace {

bool isControl(QChar c) {
    const char16_t code = c.unicode();
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

} // namespace

QString escapedControl(QChar c) {
    switch (c.unicode()) {
    case u'\r':
        return QStringLiteral("\\r");
    case u'\b':
        return QStringLiteral("\\b");
    default:
        return QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    }
}

QString printable(const QString &text) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (isControl(c) && c != QLatin1Char('\n') && c != QLatin1Char('\t'))
            shown += escapedControl(c);
        else
            shown += c;
    }
    return shown;
}

SafeOutput::SafeOutput(FILE *stream) {
    m_file.open(stream, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle);
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

void SafeOutput::returnToLineStart(QTextStream &stream) {
    stream.flush();
    if (auto *safe = dynamic_cast<SafeOutput *>(stream.device())) {
        safe->m_file.write("\r", 1);
        safe->m_file.flush();
        return;
    }
    stream << '\r';
}

qint64 SafeOutput::writeData(const char *data, qint64 size) {
    QString text = m_decoder.decode(QByteArrayView(data, size));
    text = printable(hidePassword(text, m_connectionString));
    const QByteArray bytes = text.toUtf8();
    if (m_file.write(bytes) != bytes.size())
        return -1;
    m_file.flush();
    return size;
}

} // namespace orbsales::cli
