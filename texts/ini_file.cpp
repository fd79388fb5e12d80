#include "ini_file.h"

#include "cp1251.h"
#include "text_transforms.h"

#include <QFile>
#include <QFileInfo>

namespace indikt {

namespace {

QString Folded(QStringView name)
{
    return name.toString().toCaseFolded();
}

bool IsQuote(QChar ch)
{
    return ch == u'"' || ch == u'\'';
}

bool HasControlCharacter(QStringView text)
{
    for (const QChar ch : text) {
        if (ch < u' ')
            return true;
    }
    return false;
}

// A value as the file gives it: trimmed, and without a pair of enclosing quotes.
QString ValueOfText(QStringView text)
{
    QString value = TrimBlanks(text);
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return value;
}

// A value to be written: no control characters, so no line breaks.
QString SafeValue(QStringView value)
{
    QString safe = value.toString();
    for (QChar& ch : safe) {
        if (ch < u' ')
            ch = u' ';
    }
    return safe;
}

// The text after '=' that reads back as `value`.
QString TextOfValue(const QString& value)
{
    const bool blank_at_edge = !value.isEmpty() && (value.front() <= u' ' || value.back() <= u' ');
    const bool quoted = value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front();
    return blank_at_edge || quoted ? u'"' + value + u'"' : value;
}
}  // namespace

IniFile::IniFile() : sections_(1) {}

IniFile IniFile::parse(QByteArrayView bytes, int* dropped_lines)
{
    IniFile file;
    const QString text = DecodeFileText(bytes);
    int dropped = 0;
    for (const QStringView raw : SplitLines(text)) {
        if (raw.contains(QChar(u'\0'))) {
            ++dropped;
            continue;
        }
        const QString trimmed = TrimBlanks(raw);
        if (trimmed.startsWith(u'[')) {
            const qsizetype close = trimmed.indexOf(u']');
            if (close > 0) {
                Section section;
                section.name = TrimBlanks(QStringView(trimmed).sliced(1, close - 1));
                section.header = raw.toString();
                const QString folded = Folded(section.name);
                if (!section.name.isEmpty() && !file.section_index_.contains(folded))
                    file.section_index_.insert(folded, qsizetype(file.sections_.size()));
                file.sections_.push_back(std::move(section));
                continue;
            }
        }
        Section& section = file.sections_.back();
        Line line{raw.toString(), {}, {}};
        const qsizetype equals = trimmed.indexOf(u'=');
        if (!trimmed.startsWith(u';') && equals > 0) {
            line.key = TrimBlanks(QStringView(trimmed).first(equals));
            line.value = ValueOfText(QStringView(trimmed).sliced(equals + 1));
        }
        if (!line.key.isEmpty()) {
            section.last_key = qsizetype(section.lines.size());
            const QString folded = Folded(line.key);
            if (!section.key_index.contains(folded))
                section.key_index.insert(folded, section.last_key);
        }
        section.lines.push_back(std::move(line));
    }
    if (dropped_lines)
        *dropped_lines = dropped;
    return file;
}

QByteArray IniFile::toBytes() const
{
    QString text;
    for (const Section& section : sections_) {
        if (&section != &sections_.front())
            text += section.header + QStringLiteral("\r\n");
        for (const Line& line : section.lines)
            text += line.text + QStringLiteral("\r\n");
    }
    return EncodeFileText(text);
}

const IniFile::Line* IniFile::findLine(QStringView section, QStringView key) const
{
    const auto found_section = section_index_.constFind(Folded(TrimBlanks(section)));
    if (found_section == section_index_.cend())
        return nullptr;
    const Section& in = sections_[*found_section];
    const auto found_key = in.key_index.constFind(Folded(TrimBlanks(key)));
    return found_key == in.key_index.cend() ? nullptr : &in.lines[*found_key];
}

std::optional<QString> IniFile::value(QStringView section, QStringView key) const
{
    const Line* line = findLine(section, key);
    if (!line)
        return std::nullopt;
    return line->value;
}

QString IniFile::value(QStringView section, QStringView key, const QString& fallback) const
{
    return value(section, key).value_or(fallback);
}

bool IniFile::contains(QStringView section, QStringView key) const
{
    return findLine(section, key) != nullptr;
}

bool IniFile::setValue(QStringView section_name, QStringView key_name, QStringView value)
{
    const QString section = TrimBlanks(section_name);
    const QString key = TrimBlanks(key_name);
    const QString safe_value = SafeValue(value);
    const bool section_ok = !section.isEmpty() && !section.contains(u']') && !HasControlCharacter(section);
    const bool key_ok = !key.isEmpty() && !key.contains(u'=') && !key.startsWith(u'[') && !key.startsWith(u';')
                        && !HasControlCharacter(key);
    if (!section_ok || !key_ok || !FitsCp1251(section) || !FitsCp1251(key) || !FitsCp1251(safe_value))
        return false;

    const QString folded_section = Folded(section);
    auto found_section = section_index_.constFind(folded_section);
    if (found_section == section_index_.cend()) {
        Section added;
        added.name = section;
        added.header = u'[' + section + u']';
        found_section = section_index_.insert(folded_section, qsizetype(sections_.size()));
        sections_.push_back(std::move(added));
    }
    Section& in = sections_[*found_section];
    const QString folded_key = Folded(key);
    const auto found_key = in.key_index.constFind(folded_key);
    if (found_key != in.key_index.cend()) {
        Line& line = in.lines[*found_key];
        line.text = line.key + u'=' + TextOfValue(safe_value);
        line.value = safe_value;
        return true;
    }

    // After the last key; in a section without keys, after its last line
    // that is not blank, so blank lines that part it from the next one stay.
    qsizetype at = in.last_key + 1;
    if (in.last_key < 0) {
        at = qsizetype(in.lines.size());
        while (at > 0 && TrimBlanks(in.lines[at - 1].text).isEmpty())
            --at;
    }
    in.lines.insert(in.lines.begin() + at, Line{key + u'=' + TextOfValue(safe_value), key, safe_value});
    in.last_key = at;
    in.key_index.insert(folded_key, at);
    return true;
}

QStringList IniFile::sectionNames() const
{
    QStringList names;
    for (qsizetype i = 1; i < qsizetype(sections_.size()); ++i) {
        const QString& name = sections_[i].name;
        if (!name.isEmpty() && section_index_.value(Folded(name), -1) == i)
            names.append(name);
    }
    return names;
}

QStringList IniFile::keyNames(QStringView section) const
{
    QStringList names;
    const auto found = section_index_.constFind(Folded(TrimBlanks(section)));
    if (found == section_index_.cend())
        return names;
    const Section& in = sections_[*found];
    for (qsizetype i = 0; i < qsizetype(in.lines.size()); ++i) {
        const QString& key = in.lines[i].key;
        if (!key.isEmpty() && in.key_index.value(Folded(key), -1) == i)
            names.append(key);
    }
    return names;
}

bool IniFile::isEmpty() const
{
    return sections_.size() == 1 && sections_.front().lines.empty();
}

IniReadResult ReadIniFile(const QString& path, DamagedFile damaged)
{
    const auto failed = [](const QString& error) {
        IniReadResult result;
        result.error = error;
        return result;
    };
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {};
    if (!info.isFile())
        return failed(QStringLiteral("%1 не является файлом настроек.").arg(path));
    QFile device(path);
    if (!device.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("Не удалось прочитать файл настроек %1.").arg(path));
    QByteArray bytes = device.read(kMaxIniFileBytes + 1);
    if (device.error() != QFileDevice::NoError)
        return failed(QStringLiteral("Не удалось прочитать файл настроек %1.").arg(path));
    device.close();

    IniReadResult result;
    QStringList problems;
    if (bytes.size() > kMaxIniFileBytes) {
        // Only whole lines of the first megabyte.
        bytes.truncate(kMaxIniFileBytes);
        bytes.truncate(qMax<qsizetype>(0, bytes.lastIndexOf('\n') + 1));
        problems << QStringLiteral("файл слишком велик, прочитан только первый мегабайт");
    }
    int dropped = 0;
    result.file = IniFile::parse(bytes, &dropped);
    if (dropped > 0)
        problems << QStringLiteral("не прочитано повреждённых строк: %1").arg(dropped);
    if (problems.isEmpty())
        return result;

    result.damaged = true;
    if (damaged == DamagedFile::Leave) {
        result.error = QStringLiteral("Файл настроек %1 повреждён (%2); прочитано остальное.").arg(path, problems.join("; "));
        return result;
    }
    QString copy_error;
    const std::optional<QByteArray> whole = ReadFileBytes(path, kMaxDamagedCopyBytes);
    result.kept_copy = whole ? KeepDamagedCopy(path, *whole, &copy_error) : QString();
    QString kept = result.kept_copy.isEmpty()
                       ? QStringLiteral(" Сохранить копию прежнего файла не удалось%1.")
                             .arg(copy_error.isEmpty() ? QString() : QStringLiteral(": ") + copy_error)
                       : QStringLiteral(" Прежний файл сохранён как \"%1\".").arg(QFileInfo(result.kept_copy).fileName());
    result.error = QStringLiteral("Файл настроек %1 повреждён (%2); прочитано остальное.").arg(path, problems.join("; ")) +
                   kept;
    return result;
}

WriteResult SaveIniFile(const IniFile& file, const QString& path)
{
    return WriteFileAtomically(path, file.toBytes());
}

}  // namespace indikt
