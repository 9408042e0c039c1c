#include "storetext.h"

#include <QStringDecoder>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace StoreText {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Valid UTF-8 without a control character other than tab, LF and CR: the
// writer escapes every other control character.
bool isPlainText(QByteArrayView text)
{
    for (const char c : text) {
        if (uchar(c) < 0x20 && !isBlank(c))
            return false;
    }
    // A line end never falls inside a character, so a piece that ends after
    // one decodes on its own; pieces keep the decoded copy small.
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    while (!text.isEmpty()) {
        const qsizetype lineEnd = text.indexOf('\n', qMin<qsizetype>(text.size(), 64 * 1024));
        const qsizetype end = lineEnd < 0 ? text.size() : lineEnd + 1;
        const QString decoded = decode(text.first(end));
        if (decode.hasError())
            return false;
        text = text.sliced(end);
    }
    return true;
}

struct Line
{
    QByteArrayView text;
    qsizetype equals = -1; // the first "=" outside quotes, in text
    bool quoteOpen = false; // the text ended inside a quote
};

// The text's logical lines, split as the writer's reader splits them: a
// line ends at a line end or a ";" outside quotes; a ";" that starts a line
// makes the rest of that line a comment; a backslash keeps the character
// after it, so an escaped line end continues the line.
class LineReader
{
public:
    explicit LineReader(QByteArrayView text)
        : m_text(text)
    { }

    bool next(Line &line)
    {
        const qsizetype size = m_text.size();
        while (m_pos < size && isBlank(m_text[m_pos]))
            ++m_pos;
        qsizetype start = m_pos;
        line = Line();
        bool inQuotes = false;
        while (m_pos < size) {
            const char c = m_text[m_pos];
            if (c == ';' && m_pos == start) {
                while (m_pos < size && m_text[m_pos] != '\n' && m_text[m_pos] != '\r')
                    ++m_pos;
                while (m_pos < size && isBlank(m_text[m_pos]))
                    ++m_pos;
                start = m_pos;
                continue;
            }
            if ((c == '\n' || c == '\r' || c == ';') && !inQuotes)
                break;
            ++m_pos;
            if (c == '"') {
                inQuotes = !inQuotes;
            } else if (c == '=' && !inQuotes && line.equals < 0) {
                line.equals = m_pos - 1 - start;
            } else if (c == '\\' && m_pos < size) {
                const char escaped = m_text[m_pos++];
                if (m_pos < size && (escaped == '\n' || escaped == '\r')
                    && (m_text[m_pos] == '\n' || m_text[m_pos] == '\r') && m_text[m_pos] != escaped)
                    ++m_pos;
            }
        }
        line.text = m_text.sliced(start, m_pos - start);
        line.quoteOpen = inQuotes;
        return !line.text.isEmpty();
    }

private:
    QByteArrayView m_text;
    qsizetype m_pos = 0;
};

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isOctalDigit(char c)
{
    return c >= '0' && c <= '7';
}

// A value as the writer's reader takes it: blanks around it dropped unless
// quoted, escapes resolved, and a comma outside quotes separating the items
// of a list.
class ValueReader
{
public:
    explicit ValueReader(QByteArrayView raw)
        : m_raw(raw)
    { }

    // Nothing for the writer's mark of an absent value.
    std::optional<QString> read()
    {
        skipBlanks();
        while (m_pos < m_raw.size()) {
            const char c = m_raw[m_pos];
            if (c == '\\') {
                // A backslash that ends the value keeps the blanks before it.
                if (++m_pos == m_raw.size())
                    return finish();
                escape(m_raw[m_pos++]);
            } else if (c == '"') {
                ++m_pos;
                m_quoted = true;
                m_inQuotes = !m_inQuotes;
                if (!m_inQuotes)
                    skipBlanks();
            } else if (c == ',' && !m_inQuotes) {
                chopBlanks();
                m_items.append(m_current);
                m_current.clear();
                m_isList = true;
                m_quoted = false;
                ++m_pos;
                skipBlanks();
            } else {
                qsizetype end = m_pos + 1;
                while (end < m_raw.size() && m_raw[end] != '\\' && m_raw[end] != '"'
                    && m_raw[end] != ',')
                    ++end;
                m_current += QString::fromUtf8(m_raw.sliced(m_pos, end - m_pos));
                m_pos = end;
            }
        }
        chopBlanks();
        return finish();
    }

private:
    void escape(char c)
    {
        static constexpr char Plain[][2]
            = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'}, {'r', '\r'}, {'t', '\t'},
                {'v', '\v'}, {'"', '"'}, {'?', '?'}, {'\'', '\''}, {'\\', '\\'}};
        for (const auto &plain : Plain) {
            if (c == plain[0]) {
                m_current += QLatin1Char(plain[1]);
                m_kept = m_current.size();
                return;
            }
        }
        const qsizetype size = m_raw.size();
        if (c == 'x' && m_pos < size && hexDigit(m_raw[m_pos]) >= 0) {
            char16_t code = 0;
            while (m_pos < size && hexDigit(m_raw[m_pos]) >= 0)
                code = char16_t((code << 4) + hexDigit(m_raw[m_pos++]));
            m_current += QChar(code);
        } else if (isOctalDigit(c)) {
            char16_t code = char16_t(c - '0');
            while (m_pos < size && isOctalDigit(m_raw[m_pos]))
                code = char16_t((code << 3) + (m_raw[m_pos++] - '0'));
            m_current += QChar(code);
        } else if ((c == '\n' || c == '\r') && m_pos < size
            && (m_raw[m_pos] == '\n' || m_raw[m_pos] == '\r') && m_raw[m_pos] != c) {
            ++m_pos; // a continued line, ended by CR LF or LF CR
        }
        // Any other escaped character is dropped.
        m_kept = m_current.size();
    }

    void skipBlanks()
    {
        while (m_pos < m_raw.size() && (m_raw[m_pos] == ' ' || m_raw[m_pos] == '\t'))
            ++m_pos;
        m_kept = m_current.size();
    }

    // Blanks that end an unquoted item go, except those an escape put there.
    void chopBlanks()
    {
        if (m_quoted)
            return;
        qsizetype end = m_current.size();
        while (end > m_kept && (m_current[end - 1] == u' ' || m_current[end - 1] == u'\t'))
            --end;
        m_current.truncate(end);
    }

    std::optional<QString> finish()
    {
        if (m_isList) {
            m_items.append(m_current);
            for (QString &item : m_items) {
                if (item.startsWith(u"@@"))
                    item.remove(0, 1);
            }
            return m_items.join(u", "_s);
        }
        // The writer doubles a leading "@", which otherwise marks a typed
        // value, and writes a text that holds NUL as "@String(...)". Of the
        // other typed values only an absent value and bytes stand for a
        // text; any other is taken as written.
        if (m_current.startsWith(u"@@"))
            return m_current.sliced(1);
        if (m_current == u"@Invalid()")
            return std::nullopt;
        for (const QStringView typed : {u"@String(", u"@ByteArray("}) {
            if (m_current.startsWith(typed) && m_current.endsWith(u')')) {
                const QString inner
                    = m_current.sliced(typed.size(), m_current.size() - typed.size() - 1);
                return typed == u"@String(" ? inner : QString::fromUtf8(inner.toLatin1());
            }
        }
        return m_current;
    }

    QByteArrayView m_raw;
    qsizetype m_pos = 0;
    QString m_current;
    qsizetype m_kept = 0; // m_current up to here is never chopped
    QStringList m_items;
    bool m_isList = false;
    bool m_inQuotes = false;
    bool m_quoted = false;
};

} // namespace

std::optional<QHash<QString, QString>> section(QByteArrayView text, QStringView section)
{
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    if (!isPlainText(text))
        return std::nullopt;

    const QByteArray wanted = section.toUtf8();
    QHash<QString, QString> values;
    bool inWanted = false;
    LineReader lines(text);
    Line line;
    while (lines.next(line)) {
        if (line.quoteOpen)
            return std::nullopt;
        if (line.text.startsWith('[')) {
            const qsizetype close = line.text.indexOf(']');
            if (close < 0 || !line.text.sliced(close + 1).trimmed().isEmpty())
                return std::nullopt;
            inWanted = line.text.sliced(1, close - 1).trimmed() == wanted;
            continue;
        }
        if (line.equals < 0)
            return std::nullopt;
        const QByteArrayView key = line.text.first(line.equals).trimmed();
        if (key.isEmpty())
            return std::nullopt;
        if (!inWanted)
            continue;
        if (std::optional<QString> value = ValueReader(line.text.sliced(line.equals + 1)).read())
            values.insert(QString::fromUtf8(key), *value);
        else
            values.remove(QString::fromUtf8(key));
    }
    return values;
}

} // namespace StoreText
