#pragma once

#include <QFile>
#include <QIODevice>
#include <QString>
#include <QStringDecoder>
#include <QTextStream>
#include <cstdio>

namespace orbsales::cli {

// A control character as it is printed: "\r", "\x1b", "\x7f", "\x85".
QString escapedControl(QChar c);
// The text with every control character escaped, except line feeds and tabs.
QString printable(const QString &text);

// Where the command's output goes on its way to the terminal: stored values and messages may
// hold control characters (an ESC starts a terminal command, a DEL or a carriage return hides
// what was printed before it), so every control character but line feed and tab is printed
// escaped; and the password of the database the command works on never appears.
class SafeOutput : public QIODevice {
public:
    explicit SafeOutput(FILE *stream);

    // The connection string whose password is hidden wherever it appears.
    void setConnectionString(const QString &connectionString) { m_connectionString = connectionString; }

    // A carriage return as it is, for a progress line rewritten in place. On any other stream
    // (a test's) it is written like the rest.
    static void returnToLineStart(QTextStream &stream);

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    QFile m_file;
    QStringDecoder m_decoder{QStringDecoder::Utf8}; // keeps a character split between two writes
    QString m_connectionString;
};

} // namespace orbsales::cli
